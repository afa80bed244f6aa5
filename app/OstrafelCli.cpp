// ostrafel-cli: the whole calculation without a window, for scripts.
//
//   ostrafel-cli [--decimal-separator=C] [ENTRY...]
//
// Each ENTRY is one entry text; with none, entries are read from standard input,
// one per line. Each entry gives one line of JSON on standard output.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CalculationOutcome.h"
#include "CliText.h"
#include "FormatSettings.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace ostrafel::cli {
namespace {

using Json = nlohmann::ordered_json;

const char* KindName(OutcomeKind kind) {
    switch (kind) {
    case OutcomeKind::InvalidEntry:
        return "InvalidEntry";
    case OutcomeKind::OutOfRange:
        return "OutOfRange";
    case OutcomeKind::Computed:
        return "Computed";
    }
    return "";
}

std::string DescribeOutcome(std::u16string_view entry) {
    const CalculationOutcome outcome = EvaluateEntry(entry);
    Json line;
    line["entry"] = Utf16ToUtf8(entry);
    line["kind"] = KindName(outcome.Kind);
    if (outcome.Kind != OutcomeKind::Computed)
        line["message"] = Utf16ToUtf8(outcome.MessageText);
    if (outcome.Kind != OutcomeKind::InvalidEntry) {
        line["sfu"] = ShortestText(outcome.SFU);
        line["gpm"] = ShortestText(outcome.GPM);
    }
    line["writeBack"] =
        outcome.EntryWriteBack ? Json(Utf16ToUtf8(*outcome.EntryWriteBack)) : Json(nullptr);
    if (outcome.Kind == OutcomeKind::Computed) {
        line["result"] = Utf16ToUtf8(outcome.ResultText);
        line["captions"] = Json::array();
        for (const auto& caption : outcome.CopyCaptions)
            line["captions"].push_back(Utf16ToUtf8(caption));
    }
    return line.dump(-1, ' ', false, Json::error_handler_t::replace);
}

struct Options {
    std::optional<char16_t> decimalSeparator;
    std::vector<std::u16string> entries;
};

// Returns an error message for a usage error.
std::optional<std::string> ParseArguments(const std::vector<std::u16string>& args,
                                          Options& options) {
    const std::u16string separatorOption = u"--decimal-separator=";
    bool optionsEnded = false;
    for (const auto& arg : args) {
        const bool looksLikeOption =
            arg.size() > 2 && arg[0] == u'-' && arg[1] == u'-' &&
            ((arg[2] >= u'a' && arg[2] <= u'z') || (arg[2] >= u'A' && arg[2] <= u'Z'));
        if (!optionsEnded && arg == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.starts_with(separatorOption)) {
            const std::u16string value = arg.substr(separatorOption.size());
            if (value.size() != 1 || (value[0] >= 0xD800 && value[0] <= 0xDFFF))
                return "--decimal-separator takes exactly one character";
            options.decimalSeparator = value[0];
        } else if (!optionsEnded && looksLikeOption) {
            return "unknown option " + Utf16ToUtf8(arg);
        } else {
            options.entries.push_back(arg);
        }
    }
    return std::nullopt;
}

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

int Run(const std::vector<std::u16string>& args) {
    Options options;
    if (const auto error = ParseArguments(args, options)) {
        std::fprintf(stderr, "ostrafel-cli: %s (usage: ostrafel-cli [--decimal-separator=C] "
                             "[ENTRY...])\n",
                     error->c_str());
        return 2;
    }

    GetFormatSettings();
    if (options.decimalSeparator)
        FormatSettings.DecimalSeparator = *options.decimalSeparator;

    if (!options.entries.empty()) {
        for (const auto& entry : options.entries)
            PrintLine(DescribeOutcome(entry));
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            PrintLine(DescribeOutcome(Utf8ToUtf16(line)));
        }
    }
    std::fflush(stdout);
    return 0;
}

} // namespace
} // namespace ostrafel::cli

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    // Exact bytes in both directions: no CR LF translation.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    return ostrafel::cli::Run(args);
}
#else
int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(ostrafel::cli::Utf8ToUtf16(argv[i]));
    return ostrafel::cli::Run(args);
}
#endif
