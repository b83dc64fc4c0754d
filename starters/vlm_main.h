#pragma once

// The batch launcher's start-up procedure: creates the product's batch-processing object and
// has it process the pending document batches, then returns.
namespace VlmMain {

void Main();

} // namespace VlmMain
