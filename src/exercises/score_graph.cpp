#include "exercises/score_graph.h"

#include <algorithm>

#include "foundation/app_settings.h"
#include "foundation/text_util.h"
#include "resources/string_table.h"

namespace lumora {

namespace {
constexpr int kLeft = 150, kBottom = 2050, kStep = 103;
} // namespace

ScoreGraphPicture scoreGraphPicture(const SettingsStore& store, const FileAccess& files) {
    using Pen = ScoreGraphLine::Pen;
    using Font = ScoreGraphText::Font;
    ScoreGraphPicture pic;
    pic.texts.push_back({Font::Small, {128, 0, 255}, kLeft, 5, strings::prompt(28691)});
    pic.lines.push_back({Pen::Axis, kLeft, kBottom, 3200, kBottom});
    pic.lines.push_back({Pen::Axis, kLeft, kBottom, kLeft, 50});
    for (int p = 10; p <= 100; p += 10) {
        pic.lines.push_back({Pen::Grid, kLeft, kBottom - 20 * p, 3100, kBottom - 20 * p});
        pic.texts.push_back({Font::Small, kCurrentColour, 80, kBottom - 20 * p - 50, format("%3d", p)});
    }
    for (int i = 1; i <= 30; ++i)
        pic.texts.push_back({Font::Small, kCurrentColour, kLeft + kStep * (i - 1) - 30, 2070, format("%3d", i)});

    const auto kind = kindOfGraphJob(AppSettings::kRemember.read(store));
    std::string title;
    if (kind) {
        title = scoreGraphTitle(*kind);
        const ExerciseFiles names = exerciseFiles(store, *kind);
        if (const auto data = files.readAll(names.history, ScoreLayout::kMaxFileBytes)) {
            const auto records = parseScoreHistory(*data);
            for (std::size_t k = 0; k < records.size(); ++k) {
                const ScoreRecord& r = records[k];
                // A damaged record cannot throw the curve off the page.
                const int rate = std::clamp(scoreRate(r), -100, 200);
                const std::string tip = r.blank() ? std::string("-")
                                                  : format("%d/%d/%d %02d:%02d:%02d - %d %%", r.day, r.month, r.year,
                                                           r.hour, r.minute, r.second, scoreRate(r));
                pic.curve.push_back({kLeft + kStep * static_cast<int>(k), kBottom - 20 * rate, tip});
            }
            for (std::size_t k = 1; k < pic.curve.size(); ++k)
                pic.lines.push_back({Pen::Curve, pic.curve[k - 1].x, pic.curve[k - 1].y, pic.curve[k].x, pic.curve[k].y});
        }
    }
    pic.texts.push_back({Font::Large, {0, 128, 0}, 200, 2220, title});
    return pic;
}

double scoreGraphPrintFit(int zoom, double pageWidthCm, double pageHeightCm) {
    if (zoom <= 0 || !(pageWidthCm > 0) || !(pageHeightCm > 0)) return 0;
    const double widthCm = kScoreGraphDrawnWidth * zoom / 10000.0, heightCm = kScoreGraphDrawnHeight * zoom / 10000.0;
    return std::min({1.0, pageWidthCm / widthCm, pageHeightCm / heightCm});
}

ScoreGraphZoom::ScoreGraphZoom() {
    for (const auto& [id, zoom] : {std::pair{4001, 50}, {4002, 75}, {4004, 100}, {4006, 200}}) {
        const int z = zoom;
        commandTable().addChecked(id, [this, z] { set(z); }, [this, z] { return zoom_ == z; });
    }
}

void ScoreGraphZoom::set(int zoom) {
    zoom_ = zoom;
    notifyStateChanged();
    if (onZoomChanged) onZoomChanged();
}

} // namespace lumora
