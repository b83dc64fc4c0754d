#pragma once

#include <string>
#include <vector>

#include "setup/removal/removal_progress.h"
#include "setup/shell/product_context.h"

// The removal engine: reads the uninstall log once, carries out each entry as it is read, then
// runs the closing steps. One engine per removal, not reused.
class CVTEngine {
public:
    // The engine reads the product context; it never writes it.
    explicit CVTEngine(const ProductContext& context);

    // Receiver of range, position and status; none (nullptr) for a windowless run. Progress is
    // also skipped whenever the context's windowless flag is on.
    void SetProgress(RemovalProgress* progress) { window_ = progress; }

    // Runs the whole removal on a worker thread and waits for it while dispatching this
    // thread's messages. Returns 1 once the worker has ended.
    int StartCopyNow();

    // The whole removal on the calling thread. Always returns 0.
    int RunUninstallLog();
    void ProcessLogLine(const std::string& line);

    // (operations of the removal: see removal_operations.h / the engine implementation)

private:
    const ProductContext& context_;
    RemovalProgress* window_ = nullptr;
};
