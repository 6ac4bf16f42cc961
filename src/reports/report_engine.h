#pragma once

#include "primitives.h"
#include "report_context.h"
#include "report_layout.h"
#include "row_source.h"

namespace tallyvex {

/// Lays a banded layout out on pages. The title band prints on the first page, the page header
/// and column header at the top of every page and the page footer at the foot of every page;
/// a detail band that no longer fits moves to the next column, or to the next page. Per-row
/// hooks run before their band is placed and may change it or hold it back.
///
/// A band taller than an empty page is printed anyway, running into the bottom margin, rather
/// than pushing the printout into an endless run of empty pages.
RenderedReport renderReport(ReportLayout& layout, RowSource* rows, const ReportContext& context);

} // namespace tallyvex
