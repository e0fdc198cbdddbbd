#include "content/media_gen.h"

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <uwmf.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <system_error>
#include <tuple>
#include <utility>

#include "content/bmp_writer.h"
#include "course/wave.h"
#include "foundation/atomic_file.h"
#include "foundation/text_util.h"

namespace fs = std::filesystem;

namespace lumora::content {

namespace {

bool fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

QString qpath(const fs::path& p) {
    return QString::fromStdString(p.string());
}

// Renames a finished temporary file onto its target.
bool commit(AtomicFile& temp, std::string* error) {
    return temp.commit() || fail(error, temp.error());
}

// Makes `target` absolute (so no outside program can take it for an option) and creates its folder.
bool prepareTarget(const fs::path& target, fs::path& absolute, std::string* error) {
    if (target.empty() || !target.has_filename()) return fail(error, "no output file named");
    std::error_code ec;
    absolute = fs::absolute(target, ec);
    if (ec) return fail(error, "bad output path " + target.string() + ": " + ec.message());
    const fs::path dir = absolute.parent_path();
    if (!fs::is_directory(dir, ec)) {
        fs::create_directories(dir, ec);
        if (ec) return fail(error, "cannot create folder " + dir.string() + ": " + ec.message());
    }
    return true;
}

bool writeBytesAtomically(const fs::path& target, const Bytes& data, std::string* error) {
    fs::path absolute;
    if (!prepareTarget(target, absolute, error)) return false;
    return writeFileAtomically(absolute, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
                               error);
}

// Runs `program` with `args` (no shell), feeding `input` on its standard input, and waits at most
// `timeoutMs`. A missing program, a crash, a non-zero exit or an overrun is a failure whose message
// carries the first line of the program's error output.
bool runProgram(const QString& program, const QStringList& args, const QByteArray& input, int timeoutMs,
                std::string* error) {
    const QString exe = QStandardPaths::findExecutable(program);
    if (exe.isEmpty()) return fail(error, program.toStdString() + " is not installed");
    QProcess proc;
    proc.setProgram(exe);
    proc.setArguments(args);
    if (input.isEmpty()) proc.setStandardInputFile(QProcess::nullDevice());
    proc.start(QIODevice::ReadWrite);
    if (!proc.waitForStarted(timeoutMs))
        return fail(error, "cannot start " + program.toStdString() + ": " + proc.errorString().toStdString());
    if (!input.isEmpty()) {
        proc.write(input);
        proc.closeWriteChannel();
    }
    if (!proc.waitForFinished(timeoutMs)) {
        proc.kill();
        proc.waitForFinished(5000);
        return fail(error, program.toStdString() + " did not finish within " + std::to_string(timeoutMs / 1000) + " s");
    }
    if (proc.exitStatus() != QProcess::NormalExit || proc.exitCode() != 0) {
        QString detail = QString::fromLocal8Bit(proc.readAllStandardError()).trimmed();
        detail = detail.section(QLatin1Char('\n'), 0, 0).left(300);
        std::string message = program.toStdString() + " failed";
        if (proc.exitStatus() != QProcess::NormalExit)
            message += " (crashed)";
        else
            message += " (exit code " + std::to_string(proc.exitCode()) + ")";
        if (!detail.isEmpty()) message += ": " + detail.toStdString();
        return fail(error, message);
    }
    return true;
}

bool haveGuiApplication(std::string* error) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return fail(error, "drawing text needs a QGuiApplication");
    return true;
}

// ------------------------------------------------------------------------------------- voices

constexpr int kSpeechTimeoutMs = 30000;
constexpr int kEncodeTimeoutMs = 120000;

// The text as espeak-ng's pinyin voice reads it: control characters become spaces and the typed
// "u:" for ü becomes "v" (the voice reads "u:" as two sounds).
std::string speechText(const std::string& typed) {
    std::string text;
    text.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const auto c = static_cast<unsigned char>(typed[i]);
        if ((c == 'u' || c == 'U') && i + 1 < typed.size() && typed[i + 1] == ':') {
            text += c == 'u' ? 'v' : 'V';
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            text += ' ';
        } else {
            text += static_cast<char>(c);
        }
    }
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// ----------------------------------------------------------------------------------- ideograms

constexpr int kGlyphPixels = 88; // em size of the ideogram pictures
constexpr int kPictureMargin = 8;
// Ideographs fill the em box from 0.88 em above the baseline to 0.12 em below it.
constexpr double kEmAscent = 0.88;
constexpr double kEmDescent = 0.12;

QFont ideogramFont(IdeogramSet set, int pixelSize) {
    const QStringList installed = QFontDatabase::families();
    const QStringList preferred =
        set == IdeogramSet::Traditional
            ? QStringList{QStringLiteral("Noto Sans CJK TC"), QStringLiteral("Noto Sans CJK SC")}
            : QStringList{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK TC")};
    QString family;
    for (const QString& candidate : preferred) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            family = candidate;
            break;
        }
    }
    QFont font(family.isEmpty() ? QStringLiteral("Sans Serif") : family);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Every character of `text` that is not a space, one string each (a character outside the basic
// plane stays whole).
QStringList characters(const QString& text) {
    QStringList out;
    for (const char32_t cp : text.toUcs4()) {
        if (QChar::isSpace(cp) || QChar::category(cp) == QChar::Other_Control) continue;
        out << QString::fromUcs4(&cp, 1);
    }
    return out;
}

bool cjkFontInstalled(std::string* error) {
    const QStringList installed = QFontDatabase::families();
    for (const char* name : {"Noto Sans CJK SC", "Noto Sans CJK TC"}) {
        if (installed.contains(QString::fromLatin1(name), Qt::CaseInsensitive)) return true;
    }
    return fail(error, "the font Noto Sans CJK (package fonts-noto-cjk) is not installed");
}

// ------------------------------------------------------------------------------------------ video

constexpr int kVideoWidth = 320;
constexpr int kVideoHeight = 240;
constexpr int kVideoFps = 10;
constexpr int kLeadFrames = 3;
constexpr int kHoldFrames = 10;

struct CellLayout {
    double size = 0;
    std::vector<QPointF> origins; // top-left corner of each character's cell
};

// Places n square cells in a centred grid.
CellLayout layoutCells(int n) {
    constexpr double margin = 14;
    constexpr double gap = 8;
    constexpr double maxCell = 150;
    auto cellSize = [&](int rows) {
        const int cols = (n + rows - 1) / rows;
        const double w = (kVideoWidth - 2 * margin - (cols - 1) * gap) / cols;
        const double h = (kVideoHeight - 2 * margin - (rows - 1) * gap) / rows;
        return std::min({w, h, maxCell});
    };
    double largest = 0;
    for (int rows = 1; rows <= n; ++rows)
        largest = std::max(largest, cellSize(rows));
    // The fewest rows whose cells are nearly as large as the largest possible: a phrase reads best
    // on one line.
    CellLayout best;
    int bestRows = 1;
    while (cellSize(bestRows) < 0.85 * largest)
        ++bestRows;
    best.size = std::floor(cellSize(bestRows)); // whole pixels keep the grid lines sharp
    const int cols = (n + bestRows - 1) / bestRows;
    const double gridH = bestRows * best.size + (bestRows - 1) * gap;
    const double top = (kVideoHeight - gridH) / 2;
    for (int i = 0; i < n; ++i) {
        const int row = i / cols;
        const int inRow = std::min(cols, n - row * cols); // the last row may be shorter: centre it
        const double rowW = inRow * best.size + (inRow - 1) * gap;
        const double left = (kVideoWidth - rowW) / 2;
        best.origins.emplace_back(std::round(left + (i % cols) * (best.size + gap)),
                                  std::round(top + row * (best.size + gap)));
    }
    return best;
}

// One frame: a practice grid per character, a faint outline of each character to come, and the
// ink of each character revealed up to `progress` (0 = nothing, n = all) by a soft diagonal sweep.
void drawVideoFrame(QImage& image, const QStringList& chars, const CellLayout& layout, const QFont& font,
                    double progress) {
    const QColor paper(0xFB, 0xF7, 0xEE);
    const QColor cellFill = paper;
    const QColor gridLine(0xE0, 0x8A, 0x86);
    const QColor guide(0xF0, 0xB4, 0xB0);
    const QColor ghost(0xE9, 0xE3, 0xD9);
    const QColor ink(0x1C, 0x1C, 0x22);

    image.fill(paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font);
    const double px = font.pixelSize();
    const double c = layout.size;

    for (qsizetype i = 0; i < chars.size(); ++i) {
        const QPointF o = layout.origins[static_cast<std::size_t>(i)];
        const QRectF cell(o, QSizeF(c, c));
        // Practice grid: a frame and a centre cross, on whole pixels (sharp lines compress well).
        p.setPen(Qt::NoPen);
        p.setBrush(gridLine);
        p.drawRect(cell);
        p.setBrush(cellFill);
        p.drawRect(cell.adjusted(1, 1, -1, -1));
        const double mid = std::floor(c / 2);
        p.setBrush(guide);
        p.drawRect(QRectF(o.x() + mid, o.y() + 2, 1, c - 4));
        p.drawRect(QRectF(o.x() + 2, o.y() + mid, c - 4, 1));

        // The glyph, centred on the cell's em box.
        const QString& ch = chars[i];
        const double advance = metrics.horizontalAdvance(ch);
        const QPointF baseline(cell.center().x() - advance / 2, cell.center().y() + (kEmAscent - kEmDescent) / 2 * px);
        QPainterPath glyph;
        glyph.addText(baseline, font, ch);

        p.setPen(Qt::NoPen);
        p.setBrush(ghost);
        p.drawPath(glyph);

        const double local = std::clamp(progress - static_cast<double>(i), 0.0, 1.0);
        if (local <= 0) continue;
        // A gradient from the cell's top-left to its bottom-right corner: full ink behind the
        // sweep's front, fading to nothing over a soft edge.
        constexpr double soft = 0.18;
        const double front = local * (1 + soft);
        QLinearGradient sweep(cell.topLeft(), cell.bottomRight());
        constexpr int stops = 24;
        for (int s = 0; s <= stops; ++s) {
            const double t = static_cast<double>(s) / stops;
            const double alpha = std::clamp((front - t) / soft, 0.0, 1.0);
            QColor colour = ink;
            colour.setAlphaF(static_cast<float>(alpha));
            sweep.setColorAt(t, colour);
        }
        p.setBrush(sweep);
        p.drawPath(glyph);
    }
}

// ------------------------------------------------------------------------------------- metafiles

constexpr int kSceneWidth = 8400;  // 84 mm
constexpr int kSceneHeight = 6300; // 63 mm

struct Pt {
    int x;
    int y;
};

std::uint32_t rgb(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

U_COLORREF colorRef(std::uint32_t c) {
    return colorref_set(static_cast<uint8_t>((c >> 16) & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF),
                        static_cast<uint8_t>(c & 0xFF));
}

U_POINT16 pt16(int x, int y) {
    return point16_set(static_cast<int16_t>(x), static_cast<int16_t>(y));
}

// Records of one metafile through libUEMF. Pens and brushes are created once per colour and width
// and selected when they change; they are deleted at the end.
class SceneWriter {
public:
    SceneWriter() = default;
    SceneWriter(const SceneWriter&) = delete;
    SceneWriter& operator=(const SceneWriter&) = delete;
    ~SceneWriter() {
        if (track_) wmf_free(&track_);
        if (handles_) wmf_htable_free(&handles_);
    }

    bool start(const fs::path& file, std::string* error) {
        if (wmf_start(file.string().c_str(), 16384, 16384, &track_) != 0 || !track_)
            return fail(error, "cannot create " + file.string());
        if (wmf_htable_create(64, 64, &handles_) != 0) return fail(error, "out of memory");
        U_PAIRF* size =
            U_PAIRF_set(static_cast<float>(kSceneWidth / 2540.0), static_cast<float>(kSceneHeight / 2540.0));
        char* header = size ? U_WMRHEADER_set(size, 2540) : nullptr; // 2540 units an inch: 0.01 mm
        std::free(size);
        if (!header || wmf_header_append(reinterpret_cast<U_METARECORD*>(header), track_, U_REC_FREE) != 0)
            return fail(error, "cannot write the metafile header");
        add(U_WMRSETWINDOWORG_set(pt16(0, kSceneHeight)));
        add(U_WMRSETWINDOWEXT_set(pt16(kSceneWidth, -kSceneHeight)));
        add(U_WMRSETBKMODE_set(U_TRANSPARENT));
        add(U_WMRSETPOLYFILLMODE_set(U_WINDING));
        return ok_;
    }

    void pen(std::uint32_t colour, int width) { selectPen(std::make_tuple(0, width, colour)); }
    void noPen() { selectPen(std::make_tuple(1, 0, 0u)); }
    void brush(std::uint32_t colour) { selectBrush(std::make_tuple(0, colour)); }
    void noBrush() { selectBrush(std::make_tuple(1, 0u)); }

    // Rectangles and ellipses by their edges in y-up coordinates.
    void rect(int left, int bottom, int right, int top) {
        add(U_WMRRECTANGLE_set(U_RECT16_set(pt16(left, top), pt16(right, bottom))));
    }
    void ellipse(int cx, int cy, int rx, int ry) {
        add(U_WMRELLIPSE_set(U_RECT16_set(pt16(cx - rx, cy + ry), pt16(cx + rx, cy - ry))));
    }
    void circle(int cx, int cy, int r) { ellipse(cx, cy, r, r); }
    void polygon(const std::vector<Pt>& points) {
        const auto data = toPoint16(points);
        add(U_WMRPOLYGON_set(static_cast<uint16_t>(data.size()), data.data()));
    }
    void polyline(const std::vector<Pt>& points) {
        const auto data = toPoint16(points);
        add(U_WMRPOLYLINE_set(static_cast<uint16_t>(data.size()), data.data()));
    }
    void line(int x1, int y1, int x2, int y2) {
        add(U_WMRMOVETO_set(pt16(x1, y1)));
        add(U_WMRLINETO_set(pt16(x2, y2)));
    }

    // One line of text centred on (x, baseline y), `height` units high.
    void label(int x, int y, const std::string& text, std::uint32_t colour, int height) {
        U_FONT* font = U_FONT_set(static_cast<int16_t>(-height), 0, 0, 0, U_FW_BOLD, 0, 0, 0, U_ANSI_CHARSET,
                                  U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                                  U_DEFAULT_PITCH | U_FF_SWISS, const_cast<char*>("Arial"));
        if (!font) {
            ok_ = false;
            return;
        }
        uint32_t handle = 0;
        add(wcreatefontindirect_set(&handle, handles_, font));
        std::free(font);
        objects_.push_back(handle);
        add(wselectobject_set(handle, handles_));
        add(U_WMRSETTEXTCOLOR_set(colorRef(colour)));
        add(U_WMRSETTEXTALIGN_set(U_TA_CENTER | U_TA_BASELINE));
        std::string copy = text;
        add(U_WMRTEXTOUT_set(pt16(x, y), copy.data()));
    }

    bool finish(std::string* error) {
        for (uint32_t handle : objects_) {
            uint32_t h = handle;
            add(wdeleteobject_set(&h, handles_));
        }
        objects_.clear();
        add(U_WMREOF_set());
        if (!ok_) return fail(error, "cannot build the metafile records");
        if (wmf_finish(track_) != 0) return fail(error, "cannot write the metafile");
        return true;
    }

private:
    void add(char* record) {
        if (!record) {
            ok_ = false;
            return;
        }
        if (!ok_) {
            std::free(record);
            return;
        }
        if (wmf_append(reinterpret_cast<U_METARECORD*>(record), track_, U_REC_FREE) != 0) ok_ = false;
    }

    static std::vector<U_POINT16> toPoint16(const std::vector<Pt>& points) {
        std::vector<U_POINT16> out;
        out.reserve(points.size());
        for (const Pt& p : points)
            out.push_back(pt16(p.x, p.y));
        return out;
    }

    void selectPen(const std::tuple<int, int, std::uint32_t>& key) {
        auto it = pens_.find(key);
        if (it == pens_.end()) {
            const U_PEN pen = std::get<0>(key) != 0 ? U_PEN_set(U_PS_NULL, 0, colorRef(0))
                                                    : U_PEN_set(U_PS_SOLID, static_cast<uint16_t>(std::get<1>(key)),
                                                                colorRef(std::get<2>(key)));
            uint32_t handle = 0;
            add(wcreatepenindirect_set(&handle, handles_, pen));
            objects_.push_back(handle);
            it = pens_.emplace(key, handle).first;
        }
        if (currentPen_ != static_cast<std::int64_t>(it->second)) {
            add(wselectobject_set(it->second, handles_));
            currentPen_ = it->second;
        }
    }

    void selectBrush(const std::tuple<int, std::uint32_t>& key) {
        auto it = brushes_.find(key);
        if (it == brushes_.end()) {
            const U_WLOGBRUSH lb = std::get<0>(key) != 0
                                       ? U_WLOGBRUSH_set(U_BS_NULL, colorRef(0), U_HS_SOLIDCLR)
                                       : U_WLOGBRUSH_set(U_BS_SOLID, colorRef(std::get<1>(key)), U_HS_SOLIDCLR);
            uint32_t handle = 0;
            add(wcreatebrushindirect_set(&handle, handles_, lb));
            objects_.push_back(handle);
            it = brushes_.emplace(key, handle).first;
        }
        if (currentBrush_ != static_cast<std::int64_t>(it->second)) {
            add(wselectobject_set(it->second, handles_));
            currentBrush_ = it->second;
        }
    }

    WMFTRACK* track_ = nullptr;
    WMFHANDLES* handles_ = nullptr;
    bool ok_ = true;
    std::map<std::tuple<int, int, std::uint32_t>, uint32_t> pens_;
    std::map<std::tuple<int, std::uint32_t>, uint32_t> brushes_;
    std::vector<uint32_t> objects_;
    std::int64_t currentPen_ = -1;
    std::int64_t currentBrush_ = -1;
};

// libUEMF counts the 22-byte placeable record into the header's size of the metafile and the
// header pair into its largest record; readers take both from the standard header alone. Sets the
// size (in 16-bit words, from the standard header to the end) and the largest record from the
// records themselves.
bool fixMetafileHeader(const fs::path& file, std::string* error) {
    constexpr std::size_t placeable = 22;
    constexpr std::size_t header = 18;
    Bytes data;
    {
        std::ifstream in(file, std::ios::binary);
        data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (data.size() < placeable + header || (data.size() & 1) != 0) return fail(error, "the metafile is malformed");
    std::uint32_t largest = 0;
    std::size_t pos = placeable + header;
    while (pos < data.size()) {
        if (data.size() - pos < 6) return fail(error, "the metafile is malformed");
        const std::uint32_t words = le32(data.data() + pos);
        if (words < 3 || words > (data.size() - pos) / 2) return fail(error, "the metafile is malformed");
        largest = std::max(largest, words);
        pos += std::size_t(words) * 2;
    }
    putLe32(data.data() + placeable + 6, static_cast<std::uint32_t>((data.size() - placeable) / 2));
    putLe32(data.data() + placeable + 12, largest);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) return fail(error, "cannot write " + file.string());
    return true;
}

constexpr int kLabelHeight = 550;
constexpr int kCentreX = kSceneWidth / 2;

void backdrop(SceneWriter& w, std::uint32_t colour) {
    w.noPen();
    w.brush(colour);
    w.rect(0, 0, kSceneWidth, kSceneHeight);
}

// The one-word label on a white plate near the bottom: legible on any backdrop. (x, y) is the
// centre of the text's baseline.
void namePlate(SceneWriter& w, int x, int y, const std::string& text) {
    const int h = kLabelHeight;
    const int half = static_cast<int>(0.31 * h * static_cast<double>(text.size()) + 0.45 * h);
    w.pen(rgb(0x45, 0x5A, 0x64), 30);
    w.brush(rgb(0xFF, 0xFF, 0xFF));
    w.rect(x - half, y - h * 35 / 100, x + half, y + h * 95 / 100);
    w.label(x, y, text, rgb(0x26, 0x32, 0x38), h);
}

// The part of an ellipse above the bottom edge, as a polygon that stays inside the frame: the
// picture is drawn without clipping, so nothing may leave it.
std::vector<Pt> hill(int cx, int cy, int rx, int ry) {
    std::vector<Pt> points;
    const int left = std::max(0, cx - rx);
    const int right = std::min(kSceneWidth, cx + rx);
    points.push_back({left, 0});
    constexpr int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        const int x = left + (right - left) * i / steps;
        const double u = static_cast<double>(x - cx) / rx;
        const double y = cy + ry * std::sqrt(std::max(0.0, 1 - u * u));
        points.push_back({x, std::clamp(static_cast<int>(std::lround(y)), 0, kSceneHeight)});
    }
    points.push_back({right, 0});
    return points;
}

Pt polar(int cx, int cy, double radius, double degrees) {
    const double a = degrees * 3.14159265358979323846 / 180.0;
    return {cx + static_cast<int>(std::lround(radius * std::cos(a))),
            cy + static_cast<int>(std::lround(radius * std::sin(a)))};
}

void drawSun(SceneWriter& w) {
    backdrop(w, rgb(0xBF, 0xE6, 0xFF));
    // A cloud.
    w.noPen();
    w.brush(rgb(0xFF, 0xFF, 0xFF));
    w.ellipse(1500, 5000, 650, 380);
    w.ellipse(2100, 5200, 700, 480);
    w.ellipse(2700, 4950, 600, 360);
    // Hills.
    w.brush(rgb(0x5D, 0xAA, 0x55));
    w.polygon(hill(6700, -700, 4300, 2500));
    w.brush(rgb(0x7C, 0xC3, 0x6B));
    w.polygon(hill(1700, -800, 3900, 2500));
    // Rays, then the disc.
    const int cx = 5000;
    const int cy = 3900;
    w.pen(rgb(0xF5, 0x7C, 0x00), 30);
    w.brush(rgb(0xFF, 0xA7, 0x26));
    for (int i = 0; i < 12; ++i) {
        const double a = i * 30.0;
        w.polygon({polar(cx, cy, 1350, a - 9), polar(cx, cy, 2050, a), polar(cx, cy, 1350, a + 9)});
    }
    w.pen(rgb(0xF5, 0x7C, 0x00), 60);
    w.brush(rgb(0xFF, 0xD5, 0x4F));
    w.circle(cx, cy, 1200);
    // A smile.
    w.pen(rgb(0xE6, 0x51, 0x00), 70);
    w.noBrush();
    w.polyline(
        {{cx - 520, cy - 250}, {cx - 260, cy - 520}, {cx, cy - 600}, {cx + 260, cy - 520}, {cx + 520, cy - 250}});
    w.noPen();
    w.brush(rgb(0xE6, 0x51, 0x00));
    w.circle(cx - 420, cy + 300, 120);
    w.circle(cx + 420, cy + 300, 120);
    namePlate(w, kCentreX, 420, "sun");
}

void drawHouse(SceneWriter& w) {
    backdrop(w, rgb(0xD6, 0xEE, 0xFF));
    w.noPen();
    w.brush(rgb(0x8B, 0xC3, 0x4A));
    w.rect(0, 0, kSceneWidth, 1400);
    // Path to the door.
    w.brush(rgb(0xD7, 0xCC, 0xC8));
    w.polygon({{3700, 0}, {4700, 0}, {4500, 1250}, {3900, 1250}});
    const std::uint32_t outline = rgb(0x5D, 0x40, 0x37);
    // Chimney (behind the roof), body, roof.
    w.pen(outline, 50);
    w.brush(rgb(0x8D, 0x6E, 0x63));
    w.rect(5100, 4200, 5600, 5500);
    w.brush(rgb(0xFF, 0xF3, 0xD6));
    w.rect(2400, 1200, 6000, 3900);
    w.brush(rgb(0xD8, 0x43, 0x15));
    w.polygon({{1900, 3750}, {4200, 5600}, {6500, 3750}});
    // Door with its knob.
    w.brush(rgb(0x8D, 0x6E, 0x63));
    w.rect(3800, 1200, 4600, 2800);
    w.noPen();
    w.brush(rgb(0xFF, 0xD5, 0x4F));
    w.circle(4450, 2000, 70);
    // Two windows with their bars.
    for (const int left : {2800, 4950}) {
        w.pen(outline, 50);
        w.brush(rgb(0x90, 0xCA, 0xF9));
        w.rect(left, 2300, left + 700, 3300);
        w.pen(rgb(0xFF, 0xFF, 0xFF), 60);
        w.line(left + 350, 2330, left + 350, 3270);
        w.line(left + 30, 2800, left + 670, 2800);
    }
    namePlate(w, 6800, 420, "house");
}

void drawCup(SceneWriter& w) {
    backdrop(w, rgb(0xFF, 0xF8, 0xE1));
    w.noPen();
    w.brush(rgb(0xBC, 0xAA, 0xA4));
    w.rect(0, 0, kSceneWidth, 1800);
    w.pen(rgb(0x8D, 0x6E, 0x63), 60);
    w.line(0, 1800, kSceneWidth, 1800);
    // Steam.
    w.pen(rgb(0xB0, 0xBE, 0xC5), 90);
    w.noBrush();
    for (const int x : {3500, 4100, 4700}) {
        w.polyline({{x, 4700}, {x - 150, 5000}, {x, 5300}, {x + 150, 5600}, {x, 5900}});
    }
    // Saucer.
    const std::uint32_t edge = rgb(0x00, 0x69, 0x5C);
    w.pen(rgb(0x90, 0xA4, 0xAE), 50);
    w.brush(rgb(0xFF, 0xFF, 0xFF));
    w.ellipse(4100, 1950, 2100, 420);
    // Handle (a thick ring half hidden by the cup), body, rim with tea.
    w.pen(edge, 260);
    w.noBrush();
    w.ellipse(5300, 3250, 650, 620);
    w.pen(edge, 60);
    w.brush(rgb(0x4D, 0xB6, 0xAC));
    w.polygon({{2850, 4300}, {5350, 4300}, {4950, 2000}, {3250, 2000}});
    w.brush(rgb(0xB0, 0x7A, 0x4F));
    w.ellipse(4100, 4300, 1250, 260);
    // A band of decoration.
    w.pen(rgb(0xFF, 0xFF, 0xFF), 90);
    w.line(3060, 3100, 5140, 3100);
    namePlate(w, kCentreX, 600, "cup");
}

void drawClock(SceneWriter& w) {
    backdrop(w, rgb(0xE8, 0xEA, 0xF6));
    const int cx = kCentreX;
    const int cy = 3500;
    const std::uint32_t dark = rgb(0x28, 0x35, 0x93);
    w.noPen();
    w.brush(rgb(0x5C, 0x6B, 0xC0));
    w.circle(cx, cy, 2450);
    w.brush(rgb(0xFF, 0xFF, 0xFF));
    w.circle(cx, cy, 2150);
    for (int h = 0; h < 12; ++h) {
        const double a = 90.0 - h * 30.0;
        const bool quarter = h % 3 == 0;
        w.pen(dark, quarter ? 150 : 80);
        const Pt from = polar(cx, cy, quarter ? 1650 : 1800, a);
        const Pt to = polar(cx, cy, 2000, a);
        w.line(from.x, from.y, to.x, to.y);
    }
    // Ten past ten.
    const Pt hour = polar(cx, cy, 1100, 90.0 - 10 * 30.0 - 5.0);
    const Pt minute = polar(cx, cy, 1600, 90.0 - 2 * 30.0);
    w.pen(dark, 200);
    w.line(cx, cy, hour.x, hour.y);
    w.pen(dark, 120);
    w.line(cx, cy, minute.x, minute.y);
    w.pen(rgb(0xE5, 0x39, 0x35), 40);
    w.line(cx, cy + 300, cx, cy - 1750);
    w.noPen();
    w.brush(rgb(0xE5, 0x39, 0x35));
    w.circle(cx, cy, 160);
    namePlate(w, cx, 330, "clock");
}

void drawArrow(SceneWriter& w) {
    backdrop(w, rgb(0xF1, 0xF8, 0xE9));
    // Target.
    const int tx = 6700;
    const int ty = 3400;
    w.pen(rgb(0x8E, 0x24, 0x30), 40);
    const std::uint32_t ringRed = rgb(0xE5, 0x39, 0x35);
    const std::uint32_t ringWhite = rgb(0xFF, 0xFF, 0xFF);
    int r = 1500;
    for (int i = 0; i < 4; ++i, r -= 360) {
        w.brush(i % 2 == 0 ? ringRed : ringWhite);
        w.circle(tx, ty, r);
    }
    // Arrow: feathers, shaft and head in one outline each.
    const std::uint32_t outline = rgb(0x0D, 0x47, 0xA1);
    w.pen(outline, 40);
    w.brush(rgb(0xFF, 0xB3, 0x00));
    w.polygon({{600, 3400}, {300, 3950}, {1200, 3950}, {1500, 3400}});
    w.polygon({{600, 3400}, {300, 2850}, {1200, 2850}, {1500, 3400}});
    w.brush(rgb(0x1E, 0x88, 0xE5));
    w.polygon({{700, 3250}, {5200, 3250}, {5200, 2750}, {6700, 3400}, {5200, 4050}, {5200, 3550}, {700, 3550}});
    namePlate(w, 3200, 900, "arrow");
}

void drawCoin(SceneWriter& w) {
    const std::uint32_t table = rgb(0x45, 0x5A, 0x64);
    backdrop(w, table);
    const std::uint32_t rim = rgb(0xB2, 0x7B, 0x00);
    struct Coin {
        int cx, cy, r;
        std::uint32_t face;
    };
    for (const Coin& c :
         {Coin{6100, 2600, 1400, rgb(0xFF, 0xB3, 0x00)}, Coin{3400, 3600, 2000, rgb(0xFF, 0xCA, 0x28)}}) {
        w.pen(rim, 80);
        w.brush(c.face);
        w.circle(c.cx, c.cy, c.r);
        w.pen(rim, 50);
        w.noBrush();
        w.circle(c.cx, c.cy, c.r * 83 / 100);
        // The square hole of a traditional coin, with a raised border.
        const int h = c.r * 22 / 100;
        w.pen(rim, 70);
        w.brush(table);
        w.rect(c.cx - h, c.cy - h, c.cx + h, c.cy + h);
        w.noBrush();
        w.rect(c.cx - h - 160, c.cy - h - 160, c.cx + h + 160, c.cy + h + 160);
    }
    // A glint.
    w.pen(rgb(0xFF, 0xF8, 0xE1), 90);
    w.polyline({{2000, 4700}, {2300, 5050}, {2700, 5300}});
    namePlate(w, kCentreX, 420, "coin");
}

void drawTrain(SceneWriter& w) {
    backdrop(w, rgb(0xE1, 0xF5, 0xFE));
    w.noPen();
    w.brush(rgb(0xA5, 0xD6, 0xA7));
    w.rect(0, 0, kSceneWidth, 1300);
    // Sleepers and rail.
    w.brush(rgb(0x8D, 0x6E, 0x63));
    for (int x = 200; x < kSceneWidth; x += 600)
        w.rect(x, 700, x + 300, 950);
    w.pen(rgb(0x61, 0x61, 0x61), 110);
    w.line(0, 950, kSceneWidth, 950);
    // Smoke.
    w.noPen();
    w.brush(rgb(0xCF, 0xD8, 0xDC));
    w.ellipse(5300, 4550, 380, 300);
    w.ellipse(4750, 5100, 500, 380);
    w.ellipse(4000, 5600, 650, 450);
    const std::uint32_t outline = rgb(0x26, 0x32, 0x38);
    w.pen(outline, 50);
    // Carriage with three windows.
    w.brush(rgb(0x1E, 0x88, 0xE5));
    w.rect(700, 1300, 4300, 3500);
    w.brush(rgb(0xFF, 0xF5, 0x9D));
    for (const int x : {1000, 2100, 3200})
        w.rect(x, 2400, x + 800, 3150);
    // Coupling.
    w.pen(outline, 90);
    w.line(4300, 1700, 4650, 1700);
    // Locomotive: boiler, chimney, cab and its window.
    w.pen(outline, 50);
    w.brush(rgb(0xE5, 0x39, 0x35));
    w.rect(4650, 1300, 6400, 3100);
    w.brush(rgb(0x42, 0x42, 0x42));
    w.rect(5050, 3100, 5550, 4100);
    w.rect(4900, 4000, 5700, 4250);
    w.brush(rgb(0xC6, 0x28, 0x28));
    w.rect(6300, 1300, 7700, 4300);
    w.brush(rgb(0xFF, 0xF5, 0x9D));
    w.rect(6600, 2900, 7400, 3800);
    w.brush(rgb(0x42, 0x42, 0x42));
    w.rect(6200, 4300, 7800, 4550);
    // Wheels.
    for (const int x : {1400, 3500, 5100, 6100, 7100}) {
        w.pen(outline, 50);
        w.brush(rgb(0x21, 0x21, 0x21));
        w.circle(x, 1300, 430);
        w.noPen();
        w.brush(rgb(0x9E, 0x9E, 0x9E));
        w.circle(x, 1300, 150);
    }
    namePlate(w, kCentreX, 330, "train");
}

void drawFamily(SceneWriter& w) {
    backdrop(w, rgb(0xFF, 0xF8, 0xE1));
    w.noPen();
    w.brush(rgb(0xC5, 0xE1, 0xA5));
    w.rect(0, 0, kSceneWidth, 1300);
    const std::uint32_t skin = rgb(0xFF, 0xCC, 0x80);
    const std::uint32_t skinEdge = rgb(0xA1, 0x88, 0x7F);
    const std::uint32_t legs = rgb(0x37, 0x47, 0x4F);
    const std::uint32_t hair = rgb(0x4E, 0x34, 0x2E);

    struct Person {
        int x; // centre
        int headY, headR;
        int shoulderY, hipY, shoulderHalf, hemHalf;
        std::uint32_t clothes;
        bool longHair;
    };
    const Person people[] = {
        {1900, 4950, 460, 4350, 2000, 550, 700, rgb(0x19, 0x76, 0xD2), false},
        {3500, 4600, 430, 4050, 1700, 450, 900, rgb(0xE5, 0x73, 0x73), true},
        {5150, 3500, 360, 3050, 1750, 350, 450, rgb(0x43, 0xA0, 0x47), false},
        {6500, 3150, 330, 2700, 1550, 300, 600, rgb(0xFD, 0xD8, 0x35), true},
    };
    // Arms first (hands held between neighbours), then legs, bodies and heads.
    w.pen(skin, 150);
    for (std::size_t i = 0; i + 1 < std::size(people); ++i) {
        const Person& a = people[i];
        const Person& b = people[i + 1];
        const Pt hand{(a.x + b.x) / 2, (a.hipY + b.hipY) / 2 + 700};
        w.polyline(
            {{a.x + a.shoulderHalf - 80, a.shoulderY - 200}, hand, {b.x - b.shoulderHalf + 80, b.shoulderY - 200}});
    }
    w.pen(skin, 150);
    w.line(people[0].x - people[0].shoulderHalf + 80, people[0].shoulderY - 200, people[0].x - 850, 2700);
    const Person& last = people[std::size(people) - 1];
    w.line(last.x + last.shoulderHalf - 80, last.shoulderY - 200, last.x + 700, 2000);
    for (const Person& p : people) {
        w.pen(legs, 170);
        w.line(p.x - 220, p.hipY, p.x - 220, 1050);
        w.line(p.x + 220, p.hipY, p.x + 220, 1050);
        if (p.longHair) { // behind the head and neck, down to the shoulders
            w.noPen();
            w.brush(hair);
            w.ellipse(p.x, p.headY + p.headR / 10, p.headR + 100, p.headR + 130);
            w.rect(p.x - p.headR - 100, p.shoulderY - 100, p.x + p.headR + 100, p.headY);
        }
        w.pen(skinEdge, 40);
        w.brush(p.clothes);
        w.polygon({{p.x - p.shoulderHalf, p.shoulderY},
                   {p.x + p.shoulderHalf, p.shoulderY},
                   {p.x + p.hemHalf, p.hipY},
                   {p.x - p.hemHalf, p.hipY}});
        w.brush(skin);
        w.circle(p.x, p.headY, p.headR);
        if (!p.longHair) {
            w.noPen();
            w.brush(hair);
            w.polygon({{p.x - p.headR, p.headY + p.headR / 5},
                       {p.x - p.headR / 2, p.headY + p.headR + 60},
                       {p.x + p.headR / 2, p.headY + p.headR + 60},
                       {p.x + p.headR, p.headY + p.headR / 5},
                       {p.x, p.headY + p.headR / 2}});
        }
        // Eyes and a smile.
        w.noPen();
        w.brush(legs);
        w.circle(p.x - p.headR * 2 / 5, p.headY, p.headR / 9 + 10);
        w.circle(p.x + p.headR * 2 / 5, p.headY, p.headR / 9 + 10);
        w.pen(rgb(0xBF, 0x36, 0x0C), 40);
        w.noBrush();
        w.polyline({{p.x - p.headR * 2 / 5, p.headY - p.headR * 2 / 5},
                    {p.x, p.headY - p.headR * 3 / 5},
                    {p.x + p.headR * 2 / 5, p.headY - p.headR * 2 / 5}});
    }
    namePlate(w, kCentreX, 300, "family");
}

const std::vector<std::pair<std::string, std::function<void(SceneWriter&)>>>& scenes() {
    static const std::vector<std::pair<std::string, std::function<void(SceneWriter&)>>> table = {
        {"sun", drawSun},     {"house", drawHouse}, {"cup", drawCup},     {"clock", drawClock},
        {"arrow", drawArrow}, {"coin", drawCoin},   {"train", drawTrain}, {"family", drawFamily},
    };
    return table;
}

} // namespace

// ------------------------------------------------------------------------------------------ API

bool synthesizeVoice(const std::string& typedPinyin, Voice voice, const fs::path& outWav, std::string* error) {
    const std::string text = speechText(typedPinyin);
    if (text.empty()) return fail(error, "no text to speak");
    fs::path target;
    if (!prepareTarget(outWav, target, error)) return false;

    QTemporaryDir work;
    if (!work.isValid()) return fail(error, "cannot create a temporary folder");
    const QString raw = work.filePath(QStringLiteral("speech.wav"));

    // The male voice is the pinyin voice at a lowish pitch, the female one its "f3" variant
    // higher up. The text goes in on standard input, so it can never be taken for an option.
    const QStringList speakArgs = {QStringLiteral("-v"),
                                   voice == Voice::Male ? QStringLiteral("cmn-latn-pinyin")
                                                        : QStringLiteral("cmn-latn-pinyin+f3"),
                                   QStringLiteral("-p"),
                                   voice == Voice::Male ? QStringLiteral("45") : QStringLiteral("65"),
                                   QStringLiteral("-s"),
                                   QStringLiteral("150"),
                                   QStringLiteral("-b"),
                                   QStringLiteral("1"), // UTF-8 input
                                   QStringLiteral("-w"),
                                   raw,
                                   QStringLiteral("--stdin")};
    if (!runProgram(QStringLiteral("espeak-ng"), speakArgs, QByteArray::fromStdString(text + "\n"), kSpeechTimeoutMs,
                    error))
        return false;

    AtomicFile temp(target, ".wav");
    if (!temp.ok()) return fail(error, temp.error());
    const bool haveSox = !QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty();
    if (haveSox) {
        // 16-bit 22050 Hz mono, silence below 0.1 % cut at both ends, then a short pad.
        const QStringList soxArgs = {
            QStringLiteral("-V1"),     QStringLiteral("-t"),   QStringLiteral("wav"),  raw,
            QStringLiteral("-t"),      QStringLiteral("wav"),  QStringLiteral("-e"),   QStringLiteral("signed-integer"),
            QStringLiteral("-b"),      QStringLiteral("16"),   QStringLiteral("-r"),   QStringLiteral("22050"),
            QStringLiteral("-c"),      QStringLiteral("1"),    qpath(temp.tempPath()),     QStringLiteral("silence"),
            QStringLiteral("1"),       QStringLiteral("0.01"), QStringLiteral("0.1%"), QStringLiteral("reverse"),
            QStringLiteral("silence"), QStringLiteral("1"),    QStringLiteral("0.01"), QStringLiteral("0.1%"),
            QStringLiteral("reverse"), QStringLiteral("pad"),  QStringLiteral("0.05"), QStringLiteral("0.1")};
        if (!runProgram(QStringLiteral("sox"), soxArgs, {}, kSpeechTimeoutMs, error)) return false;
    } else {
        // espeak-ng already writes 16-bit 22050 Hz mono; it is checked below.
        std::error_code ec;
        fs::copy_file(raw.toStdString(), temp.tempPath(), fs::copy_options::overwrite_existing, ec);
        if (ec) return fail(error, "cannot copy the speech: " + ec.message());
    }

    CWave speech;
    if (const ReadResult r = speech.Load(temp.tempPath()); !r)
        return fail(error, "the speech output is not a PCM WAVE file (" + describe(r) + ")");
    if (speech.channels() != 1 || speech.bitsPerSample() != 16 || speech.samplesPerSecond() != 22050)
        return fail(error, "the speech output is not 16-bit 22050 Hz mono PCM");
    if (speech.dataSize() < 22050 * 2 / 10) // under 0.1 s once the silence is cut: nothing was said
        return fail(error, "espeak-ng produced no audible speech for \"" + text + "\"");
    return commit(temp, error);
}

bool renderIdeogram(const std::string& hanziUtf8, const fs::path& outBmp, std::string* error) {
    return renderIdeogram(hanziUtf8, IdeogramSet::Simplified, outBmp, error);
}

bool renderIdeogram(const std::string& hanziUtf8, IdeogramSet set, const fs::path& outBmp, std::string* error) {
    if (!haveGuiApplication(error)) return false;
    QString text = QString::fromUtf8(hanziUtf8.data(), static_cast<qsizetype>(hanziUtf8.size()));
    for (QChar& ch : text) {
        if (ch.category() == QChar::Other_Control) ch = QLatin1Char(' ');
    }
    text = text.trimmed();

    int width = 16;
    int height = 16;
    std::vector<std::uint8_t> indices;
    if (text.isEmpty()) {
        indices.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 255);
    } else {
        if (!cjkFontInstalled(error)) return false;
        const QFont font = ideogramFont(set, kGlyphPixels);
        const QFontMetricsF metrics(font);
        QPainterPath outline;
        outline.addText(QPointF(0, 0), font, text);
        const QRectF ink = outline.boundingRect();
        // The picture holds the em box of every character and any ink that leaves it.
        const double left = std::min(0.0, ink.left());
        const double right = std::max(metrics.horizontalAdvance(text), ink.right());
        const double top = std::min(-kEmAscent * kGlyphPixels, ink.top());
        const double bottom = std::max(kEmDescent * kGlyphPixels, ink.bottom());
        width = static_cast<int>(std::ceil(right - left)) + 2 * kPictureMargin;
        height = static_cast<int>(std::ceil(bottom - top)) + 2 * kPictureMargin;
        if (width > 30000) return fail(error, "the text is too long for one picture");

        QImage image(width, height, QImage::Format_Grayscale8);
        if (image.isNull()) return fail(error, "out of memory");
        image.fill(Qt::white);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(QPointF(kPictureMargin - left, kPictureMargin - top), text);
        }
        indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            const uchar* line = image.constScanLine(y);
            std::copy(line, line + width, indices.begin() + static_cast<std::ptrdiff_t>(y) * width);
        }
    }
    const Bytes bmp = encodeBmp8(width, height, indices, greyRampPalette());
    if (bmp.empty()) return fail(error, "cannot encode the picture");
    return writeBytesAtomically(outBmp, bmp, error);
}

bool makeVideo(const std::string& hanziUtf8, const fs::path& outAvi, std::string* error) {
    if (!haveGuiApplication(error)) return false;
    const QStringList chars = characters(QString::fromUtf8(hanziUtf8.data(), static_cast<qsizetype>(hanziUtf8.size())));
    if (chars.isEmpty()) return fail(error, "no characters to write");
    if (!cjkFontInstalled(error)) return false;
    fs::path target;
    if (!prepareTarget(outAvi, target, error)) return false;

    const int n = static_cast<int>(chars.size());
    const CellLayout layout = layoutCells(n);
    const QFont font = ideogramFont(IdeogramSet::Simplified, static_cast<int>(layout.size * 0.8));
    const int revealFrames = std::clamp(2 * n, 20, 26);
    const int frameCount = kLeadFrames + revealFrames + kHoldFrames;

    QTemporaryDir work;
    if (!work.isValid()) return fail(error, "cannot create a temporary folder");
    QImage frame(kVideoWidth, kVideoHeight, QImage::Format_RGB32);
    for (int f = 0; f < frameCount; ++f) {
        const int revealed = std::clamp(f - kLeadFrames + 1, 0, revealFrames);
        const double progress = static_cast<double>(n) * revealed / revealFrames;
        drawVideoFrame(frame, chars, layout, font, progress);
        const QString name = work.filePath(QStringLiteral("f%1.png").arg(f, 4, 10, QLatin1Char('0')));
        if (!frame.save(name, "PNG")) return fail(error, "cannot write a video frame");
    }

    // JPEG quality scale (lower is finer): long phrases have many more edges to store, so they
    // get a coarser scale to keep the file small.
    const int quality = n <= 3 ? 5 : n <= 6 ? 8 : 11;
    AtomicFile temp(target, ".avi");
    if (!temp.ok()) return fail(error, temp.error());
    const QStringList args = {
        QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
        QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-framerate"), QString::number(kVideoFps),
        QStringLiteral("-i"), work.filePath(QStringLiteral("f%04d.png")), QStringLiteral("-c:v"),
        QStringLiteral("mjpeg"), QStringLiteral("-q:v"), QString::number(quality), QStringLiteral("-pix_fmt"),
        QStringLiteral("yuvj420p"), QStringLiteral("-an"), QStringLiteral("-f"), QStringLiteral("avi"),
        // "file:" keeps a name holding a colon from being read as a protocol.
        QStringLiteral("file:") + qpath(temp.tempPath())};
    if (!runProgram(QStringLiteral("ffmpeg"), args, {}, kEncodeTimeoutMs, error)) return false;
    std::error_code ec;
    if (fs::file_size(temp.tempPath(), ec) == 0 || ec) return fail(error, "ffmpeg wrote no video");
    return commit(temp, error);
}

bool writeSceneMetafile(const std::string& scene, const fs::path& outWmf, std::string* error) {
    const auto& table = scenes();
    const auto it = std::find_if(table.begin(), table.end(), [&](const auto& entry) { return entry.first == scene; });
    if (it == table.end()) return fail(error, "unknown scene \"" + scene + "\"");
    fs::path target;
    if (!prepareTarget(outWmf, target, error)) return false;
    AtomicFile temp(target, ".wmf");
    if (!temp.ok()) return fail(error, temp.error());
    {
        SceneWriter writer;
        if (!writer.start(temp.tempPath(), error)) return false;
        it->second(writer);
        if (!writer.finish(error)) return false;
    }
    if (!fixMetafileHeader(temp.tempPath(), error)) return false;
    return commit(temp, error);
}

std::vector<std::string> sceneNames() {
    std::vector<std::string> names;
    for (const auto& entry : scenes())
        names.push_back(entry.first);
    return names;
}

} // namespace lumora::content
