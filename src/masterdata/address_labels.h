#pragma once

#include "address_export.h"
#include "reports/report_layout.h"

#include <memory>

namespace tallyvex {

/// The address labels `TQRETT`: A4 sheets of three columns of eight labels, filled down the
/// first column, then the second and the third. One layout serves both lists; for the clubs
/// the first, second and last line show the club's name, contact person and short field.
std::unique_ptr<ReportLayout> addressLabelLayout(AddressList list);

} // namespace tallyvex
