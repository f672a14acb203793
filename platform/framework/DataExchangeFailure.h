// Thrown by CDataExchange::Fail and caught by CDialog::UpdateData, which
// turns it into its FALSE answer; it never leaves the class library.
#pragma once

struct DataExchangeFailure {};
