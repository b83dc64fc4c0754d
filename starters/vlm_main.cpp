#include "starters/vlm_main.h"

#include <windows.h>

#include <new>

#include "common/error_report.h"
#include "starters/automation_call.h"

namespace VlmMain {

namespace {

const char* const kBatchClass = "VlmScrivex.ClsEscanScrivex";
const char* const kProcessBatches = "ProcesarLotesDocumentosVlm";
// The program's title: the caption of its one message box.
const char* const kTitle = "loterun";

void ShowErrorReport(long number, const std::string& description)
{
    const std::string text = ErrorReportText(number, description, "Main", "VlmMain");
    MessageBoxA(nullptr, text.c_str(), kTitle, MB_OK);
}

} // namespace

void Main()
{
    ComApartment apartment;
    // Declared outside the handler's reach: the object is released only after the error has
    // been shown, as the last step, and before the apartment goes.
    ComPtr<IDispatch> batches;
    try {
        batches = CreateAutomationObject(kBatchClass);
        CallMethod(*batches.get(), kProcessBatches);
    } catch (const RunTimeError& error) {
        ShowErrorReport(error.Number(), error.Description());
    } catch (const std::bad_alloc&) {
        ShowErrorReport(kErrorOutOfMemory, "Out of memory");
    }
}

} // namespace VlmMain
