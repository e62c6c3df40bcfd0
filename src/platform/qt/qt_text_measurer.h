#pragma once
// Fonts and text measurement through Qt: turns the drawing's GDI-style fonts into QFonts and
// measures with QFontMetricsF. Used by QtSurface and handed to the metafile writers for real
// exports, so that a metafile's spacing and line breaks match what the screen shows.
//
// A face the system lacks is replaced by the nearest installed one: Tahoma (a narrow humanist
// sans with a tall x-height) by DejaVu Sans Condensed, whose shapes and widths come closest,
// then Liberation Sans; Verdana by DejaVu Sans; Arial and the MS sans faces by Liberation Sans;
// Times New Roman and Courier New by Liberation Serif and Liberation Mono; anything else by the
// platform's general sans font. A positive height is matched on the cell height (ascent + descent)
// of the face actually used, as GDI matches it, so line spacing stays that of the drawing rules.

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text_measurer.h"

namespace tenzora {

class QtTextMeasurer : public TextMeasurer {
  public:
    QtTextMeasurer();
    ~QtTextMeasurer() override;

    FontMetrics metrics(const Font& font) const override;
    double advance(const Font& font, std::wstring_view text) const override;
    void characterAdvances(const Font& font, std::wstring_view text, std::vector<double>& out) const override;

    // The QFont that stands for the font: resolved face, pixel size, weight, no kerning.
    const QFont& qfont(const Font& font) const;
    // The installed family used for a face name.
    QString familyFor(std::wstring_view face) const;

  private:
    struct Entry;
    const Entry& entry(const Font& font) const;

    // Fonts recently asked for (a painting uses a handful); looked up linearly, replaced in turn.
    mutable std::vector<std::unique_ptr<Entry>> cache_;
    mutable std::size_t nextReplaced_ = 0;
    mutable std::unordered_map<std::wstring, QString> families_;
    mutable std::unordered_map<std::wstring, double> cellPerEm_; // family (+ weight) → cell height / em
    mutable QString scratch_;
};

} // namespace tenzora
