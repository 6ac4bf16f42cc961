#pragma once

#include "reports/primitives.h"
#include "reports/report_context.h"
#include "reports/report_layout.h"

#include <QImage>
#include <QString>
#include <array>

namespace tallyvex {

/// What one scoresheet shows for one squad in one round: the texts of the named fields, already
/// formatted by the printing command (date "dd.mm.yyyy", time "hh:nn", the six shooter lines in
/// shooting order, empty for an empty place) and whether the dividing lines are drawn.
struct ScoresheetValues {
    QString round;                   ///< `Round`
    QString squad;                   ///< `Squad`
    QString stand;                   ///< `Stand`: the range label
    QString date;                    ///< `Date`
    QString time;                    ///< `Time`
    std::array<QString, 6> shooters; ///< `Shooter1` … `Shooter6`
    QString compname;                ///< `compname`: both competition name lines
    bool dividingLines = false;      ///< `DT1` … `DT6`
};

/// The paper the referee of a range marks by hand: one A4 landscape page for one squad in one
/// round, with the header, six shooter blocks of clay boxes and the referee's footer. The two
/// designs share everything except the box row of a block. A sheet can be filled and rendered
/// again and again; each fill sets every field anew.
class Scoresheet {
public:
    virtual ~Scoresheet() = default;
    Scoresheet(const Scoresheet&) = delete;
    Scoresheet& operator=(const Scoresheet&) = delete;

    /// Row tops of the six blocks in 1/96 inch from the sheet's top-left corner.
    static constexpr std::array<int, 6> kRowTops{137, 225, 313, 401, 481, 569};
    /// Names of the signature captions of blocks 1 … 6.
    static const std::array<QString, 6>& signatureCaptions();

    ReportLayout& layout() { return layout_; }
    const ReportLayout& layout() const { return layout_; }

    /// Sets the named fields, the logo, the footer's web address, the captions of the UI
    /// language and the dividing lines.
    void fill(const ScoresheetValues& values, const ReportContext& context);
    /// German design captions, or their English texts.
    void applyLanguage(bool english);
    /// Shows or hides `DT1` … `DT6` together.
    void setDividingLines(bool on);
    RenderedReport render(const ReportContext& context);

protected:
    Scoresheet(const QString& className, const QString& name);
    /// Builds header, blocks and footer; the designs add the box row of each block.
    void build();
    /// The box row of block k (1 … 6) with its row top Y, its total and signature fields and its
    /// dividing line.
    virtual void addRow(ReportBand& sheet, int k, double rowTop) = 0;
    /// Left edge and width of the total caption and of the signature caption.
    struct CaptionSpans {
        double totalX, totalW, signatureX, signatureW;
    };
    virtual CaptionSpans captionSpans() const = 0;

    ReportLayout layout_;
};

/// The standard scoresheet (report `SCORESHEET`) for trap-style rounds: 25 boxes per shooter,
/// split into 50 half-boxes by the dividing line for a 50-clay round.
class TScoresheet final : public Scoresheet {
public:
    TScoresheet();
    static constexpr std::array<int, 25> kBoxX{1,   36,  71,  106, 141, 175, 210, 245, 280,
                                               315, 350, 385, 420, 455, 490, 524, 559, 594,
                                               629, 664, 699, 734, 769, 804, 839};

private:
    void addRow(ReportBand& sheet, int k, double rowTop) override;
    CaptionSpans captionSpans() const override { return {875, 39, 912, 88}; }
};

/// The Compak Sporting scoresheet (report `CPS`): 30 slots in six groups of five, of which one
/// group per shooter is left undivided and unnumbered, moving left from block to block.
class TCPS final : public Scoresheet {
public:
    TCPS();
    static constexpr std::array<int, 30> kSlotX{1,   30,  59,  87,  116, 145, 174, 203, 232, 261,
                                                290, 319, 348, 377, 406, 435, 464, 493, 522, 551,
                                                580, 609, 638, 667, 696, 724, 753, 782, 811, 840};

private:
    void addRow(ReportBand& sheet, int k, double rowTop) override;
    CaptionSpans captionSpans() const override { return {870, 44, 912, 89}; }
};

} // namespace tallyvex
