#pragma once

namespace receipts {

// Registers the receipt, receipt reversal and purchase-order windows with the shell.
void registerWindows();

} // namespace receipts
