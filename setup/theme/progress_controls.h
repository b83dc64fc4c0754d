#pragma once

#include <array>

#include "setup/theme/control_catalogue.h"

// The controls a removal reports to on its page: the progress bar and the two status lines,
// line 0 the removal's status, line 1 the finish text. Each is the first record named by its
// id name when that record is of the right type: a status name given to a button names no status
// line, so the reports never reach a pool object that is not on the page as a label.
constexpr const char* kProgressBarName = "IDC_PROGRESS1";
constexpr const char* kStatusLineNames[2] = {"IDC_INFO", "IDC_STATIC1"};

struct ProgressControls {
    int progressBar = -1;                 // record index; -1 when the page has none
    std::array<int, 2> statusLines{-1, -1};
};

ProgressControls FindProgressControls(const ControlCatalogue& catalogue);

// The first record named `idName` when it is of `type`, else -1.
int FindNamedRecordOfType(const ControlCatalogue& catalogue, const char* idName, ControlType type);
