#pragma once

#include "primitives.h"

#include <QFont>
#include <QImage>

class QPainter;
class QPrinter;

namespace tallyvex {

/// The installed twin of a design font: Arial, Arial Narrow and Courier become the Liberation
/// fonts of the same metrics; Arial Black becomes bold Liberation Sans.
QFont printFont(const ReportFont& font);

/// Draws one page; the painter's device coordinates start at the paper's top-left corner.
void paintPage(QPainter& painter, const RenderedPage& page, double dotsPerMm);

/// A page as a picture at the given resolution (white paper), for the preview and for tests.
QImage pageImage(const RenderedReport& report, int page, double dpi);

/// Writes every page to a PDF file, replacing it only once it is complete. Throws FileError
/// when the file cannot be written.
void writePdf(const RenderedReport& report, const QString& path);

/// A file name for a saved printout: the title without characters that would leave the
/// chosen folder or that file systems refuse.
QString pdfFileName(const QString& title);

/// Draws the pages a set-up printer asks for (its page range; all when none) on a painter
/// already open on it. Returns the number of pages drawn; `first` says whether a new page is
/// needed before the first one.
int printPages(QPainter& painter, QPrinter& printer, const RenderedReport& report,
               bool startsWithNewPage = false);

} // namespace tallyvex
