// lumora-content: builds, checks and dumps content trees.
#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "content/builder.h"
#include "content/dump_media.h"
#include "content/dump_records.h"
#include "content/dump_scores.h"
#include "content/search_command.h"
#include "content/tree_check.h"

namespace {

constexpr const char* kUsage = "usage:\n"
                               "  lumora-content build SOURCE_DIR OUT_DIR [--cedict] [--jobs N]\n"
                               "  lumora-content check ROOT\n"
                               "  lumora-content dump catalogue|lesson|dictionary FILE [--raw]\n"
                               "  lumora-content dump wave|bitmap|metafile FILE\n"
                               "  lumora-content dump scores FILE\n"
                               "  lumora-content dump pool FILE [--from ID] [--to ID]\n"
                               "  lumora-content search FILE KEY [--mode start|contain|end] [--from ID] [--to ID]\n"
                               "                        [--ignore-tones] [--raw]\n";

int usage(const std::string& why) {
    if (!why.empty()) std::cerr << "lumora-content: " << why << "\n";
    std::cerr << kUsage;
    return 2;
}

int dump(const std::vector<std::string>& args) {
    // Options may stand before or after the kind and the file.
    bool raw = false;
    std::optional<int> from, to;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--from" || a == "--to") {
            const std::optional<int> id = i + 1 < args.size() ? lumora::content::parseLanguageId(args[++i]) : std::nullopt;
            if (!id) return usage(a + " takes a language id from 0 to 20");
            (a == "--from" ? from : to) = id;
        } else if (a == "--raw")
            raw = true;
        else if (a.rfind("--", 0) == 0)
            return usage("unknown option " + a);
        else
            positional.push_back(a);
    }
    if (positional.size() < 2) return usage("dump needs a kind and a file");
    if (positional.size() > 2) return usage("dump takes one kind and one file");
    const std::string& kind = positional[0];
    const std::string& file = positional[1];
    if ((from || to) && kind != "pool") return usage("--from and --to apply to pool dumps");
    if (kind == "catalogue") return lumora::content::dumpCatalogue(file, raw, std::cout, std::cerr);
    if (kind == "lesson") return lumora::content::dumpLesson(file, raw, std::cout, std::cerr);
    if (kind == "dictionary") return lumora::content::dumpDictionary(file, raw, std::cout, std::cerr);
    if (raw) return usage("--raw applies to catalogue, lesson and dictionary dumps");
    if (kind == "wave") return lumora::content::dumpWave(file, std::cout, std::cerr);
    if (kind == "bitmap") return lumora::content::dumpBitmap(file, std::cout, std::cerr);
    if (kind == "metafile") return lumora::content::dumpMetafile(file, std::cout, std::cerr);
    if (kind == "scores") return lumora::content::dumpScores(file, std::cout, std::cerr);
    if (kind == "pool") return lumora::content::dumpPool(file, from.value_or(0), to.value_or(0), std::cout, std::cerr);
    return usage("unknown dump kind " + kind);
}

int check(const std::vector<std::string>& args) {
    if (args.size() != 1) return usage("check needs one content root");
    const lumora::content::CheckReport report = lumora::content::checkTree(args[0]);
    for (const std::string& line : report.problems)
        std::cout << line << "\n";
    if (!report.problems.empty()) {
        std::cout << report.problems.size() << (report.problems.size() == 1 ? " problem" : " problems") << "\n";
        return 1;
    }
    std::cout << report.summary() << "\n";
    return 0;
}

int build(int argc, char** argv, const std::vector<std::string>& args) {
    lumora::content::BuildOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--cedict") {
            options.cedict = true;
        } else if (args[i] == "--jobs") {
            if (i + 1 >= args.size()) return usage("--jobs needs a number");
            const std::string& n = args[++i];
            char* end = nullptr;
            const long v = std::strtol(n.c_str(), &end, 10);
            if (n.empty() || *end != '\0' || v < 1 || v > 64) return usage("--jobs takes a number from 1 to 64");
            options.jobs = static_cast<int>(v);
        } else if (args[i].rfind("--", 0) == 0) {
            return usage("unknown option " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) return usage("build needs a source folder and an output folder");
    options.source = positional[0];
    options.out = positional[1];
    // The ideogram pictures and videos are drawn with Qt's fonts: a GUI application is needed, and a
    // display is not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return lumora::content::runBuild(options, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage("");
    const std::string command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "dump") return dump(rest);
    if (command == "check") return check(rest);
    if (command == "search") {
        const int rc = lumora::content::searchCommand(rest, std::cout, std::cerr);
        if (rc == 2) std::cerr << kUsage;
        return rc;
    }
    if (command == "build") return build(argc, argv, rest);
    return usage("unknown command " + command);
}
