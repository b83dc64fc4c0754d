#include "setup/theme/progress_controls.h"

int FindNamedRecordOfType(const ControlCatalogue& catalogue, const char* idName, ControlType type)
{
    const int id = catalogue.FindControlId(idName);
    const int record = id < 0 ? -1 : catalogue.FindRecordIndex(id);
    if (record < 0 || catalogue.Record(record).type != type)
        return -1;
    return record;
}

ProgressControls FindProgressControls(const ControlCatalogue& catalogue)
{
    ProgressControls found;
    found.progressBar = FindNamedRecordOfType(catalogue, kProgressBarName, ControlType::Progress);
    for (std::size_t line = 0; line < found.statusLines.size(); ++line)
        found.statusLines[line] = FindNamedRecordOfType(catalogue, kStatusLineNames[line], ControlType::Text);
    return found;
}
