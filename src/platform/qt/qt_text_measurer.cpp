#include "platform/qt/qt_text_measurer.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace tenzora {

namespace {

constexpr std::size_t kCachedFonts = 16;
// The pixel size at which a family's cell-to-em ratio is measured.
constexpr int kProbePixelSize = 1000;
// Above this many characters, characters are measured one by one instead of by beginnings
// (which costs a measurement per character of every beginning).
constexpr std::size_t kPrefixMeasureLimit = 256;

struct Substitute {
    const wchar_t* face;
    const char* families[3];
};

// Installed replacements for the faces the drawing and the print forms ask for, best first.
constexpr Substitute kSubstitutes[] = {
    {L"tahoma", {"DejaVu Sans Condensed", "Liberation Sans", "DejaVu Sans"}},
    {L"verdana", {"DejaVu Sans", "Liberation Sans", nullptr}},
    {L"arial", {"Liberation Sans", "DejaVu Sans", nullptr}},
    {L"microsoft sans serif", {"Liberation Sans", "DejaVu Sans", nullptr}},
    {L"ms sans serif", {"Liberation Sans", "DejaVu Sans", nullptr}},
    {L"times new roman", {"Liberation Serif", "DejaVu Serif", nullptr}},
    {L"courier new", {"Liberation Mono", "DejaVu Sans Mono", nullptr}},
};

std::wstring lowered(std::wstring_view text) {
    std::wstring s(text);
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

void setText(QString& buffer, std::wstring_view text) {
    buffer = QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

struct QtTextMeasurer::Entry {
    Font font;
    QFont qfont;
    std::unique_ptr<QFontMetricsF> fontMetrics;
    FontMetrics metrics;
};

QtTextMeasurer::QtTextMeasurer() = default;
QtTextMeasurer::~QtTextMeasurer() = default;

QString QtTextMeasurer::familyFor(std::wstring_view face) const {
    const std::wstring key = lowered(face);
    if (auto it = families_.find(key); it != families_.end()) return it->second;
    const QStringList installed = QFontDatabase::families();
    auto has = [&installed](const QString& family) {
        return installed.contains(family, Qt::CaseInsensitive);
    };
    QString family = QString::fromWCharArray(face.data(), static_cast<qsizetype>(face.size()));
    if (!has(family)) {
        family.clear();
        for (const Substitute& s : kSubstitutes) {
            if (key != s.face) continue;
            for (const char* candidate : s.families)
                if (candidate != nullptr && has(QString::fromLatin1(candidate))) {
                    family = QString::fromLatin1(candidate);
                    break;
                }
        }
        if (family.isEmpty()) family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }
    families_.emplace(key, family);
    return family;
}

const QtTextMeasurer::Entry& QtTextMeasurer::entry(const Font& asked) const {
    // The escapement changes neither the QFont nor the metrics: one entry serves every angle.
    Font font = asked;
    font.escapement = 0;
    for (const auto& e : cache_)
        if (e->font == font) return *e;

    auto e = std::make_unique<Entry>();
    e->font = font;
    QFont& q = e->qfont;
    q.setFamily(familyFor(font.face.view()));
    q.setWeight(
        static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? kWeightNormal : font.weight, 1, 1000)));
    q.setItalic(font.italic);
    q.setKerning(false); // GDI places characters without kerning
    q.setStyleStrategy(QFont::PreferOutline);

    const std::int32_t height = font.effectiveHeight();
    double em = -static_cast<double>(height);
    if (height > 0) {
        // Match the cell height: measure this face's cell per em once.
        const std::wstring key =
            q.family().toStdWString() + L'/' + std::to_wstring(q.weight()) + (font.italic ? L"i" : L"");
        auto it = cellPerEm_.find(key);
        if (it == cellPerEm_.end()) {
            QFont probe = q;
            probe.setPixelSize(kProbePixelSize);
            const QFontMetricsF m(probe);
            const double ratio = (m.ascent() + m.descent()) / kProbePixelSize;
            it = cellPerEm_.emplace(key, ratio > 0 ? ratio : 1.0).first;
        }
        em = height / it->second;
    }
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
    e->fontMetrics = std::make_unique<QFontMetricsF>(q);
    e->metrics = {e->fontMetrics->ascent(), e->fontMetrics->descent(), e->fontMetrics->averageCharWidth()};

    if (cache_.size() < kCachedFonts) {
        cache_.push_back(std::move(e));
        return *cache_.back();
    }
    const std::size_t slot = nextReplaced_++ % kCachedFonts;
    cache_[slot] = std::move(e);
    return *cache_[slot];
}

const QFont& QtTextMeasurer::qfont(const Font& font) const {
    return entry(font).qfont;
}

FontMetrics QtTextMeasurer::metrics(const Font& font) const {
    return entry(font).metrics;
}

double QtTextMeasurer::advance(const Font& font, std::wstring_view text) const {
    if (text.empty()) return 0;
    setText(scratch_, text);
    return entry(font).fontMetrics->horizontalAdvance(scratch_);
}

void QtTextMeasurer::characterAdvances(const Font& font, std::wstring_view text,
                                       std::vector<double>& out) const {
    if (text.size() <= kPrefixMeasureLimit) {
        TextMeasurer::characterAdvances(font, text, out);
        return;
    }
    out.clear();
    const QFontMetricsF& m = *entry(font).fontMetrics;
    for (wchar_t c : text) {
        setText(scratch_, std::wstring_view(&c, 1));
        out.push_back(m.horizontalAdvance(scratch_));
    }
}

} // namespace tenzora
