#include "cli/convert_command.h"

#include "cli/browser_opener.h"
#include "cli/cli_options.h"
#include "cli/cli_settings.h"
#include "cli/input_text.h"
#include "cli/utf8_page_stream.h"
#include "cli/utf8_to_sjis.h"
#include "convert/converter_factory.h"
#include "convert/page_clock.h"
#include "convert/sjis_codec.h"
#include "platform/app_paths.h"
#include "platform/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <ostream>

#ifndef MIRETO_VERSION
#define MIRETO_VERSION "unknown"
#endif

namespace mireto::cli {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct FormatChoice {
    std::optional<OutputFormat> format;
    std::string error;
};

// A position 0-6, or a style name in Shift_JIS or in UTF-8.
FormatChoice chooseFormat(const std::string& given) {
    if (given.size() == 1 && given[0] >= '0' && given[0] < '0' + static_cast<int>(kFormatCount))
        return {static_cast<OutputFormat>(given[0] - '0'), {}};
    if (auto format = formatByName(given))
        return {format, {}};
    if (const SjisConversion name = utf8ToSjis(given); name.ok) {
        if (auto format = formatByName(name.text))
            return {format, {}};
    }
    return {std::nullopt,
            "unknown format '" + given + "': give a position 0-6 or a name (see --help)"};
}

// The style the settings make current; a name that matches none of the seven is what
// makes GO!! do nothing in the editor, so here it is an error that names it as the
// picked template (or else the file's current one) spells it.
FormatChoice storedFormat(const ConversionSession& session, bool templatePicked) {
    if (auto format = session.currentFormat())
        return {format, {}};
    std::string name = session.currentTemplate().formatName;
    if (templatePicked) {
        if (const auto at =
                session.find(RecordKind::OverallTemplate, session.currentTemplate().name))
            name = session.store().GetOverallTemplate(*at).formatName;
    }
    return {std::nullopt, "the settings name the page style '" + sjisToUtf8(name) +
                              "', which is none of the seven: give --format"};
}

// The page goes to `sink` piece by piece as it is built, never whole in memory, in
// Shift_JIS or decoded as it goes. The session's page style is one of the seven.
bool writePage(const ConversionSession& session, const std::string& text, std::time_t moment,
               bool utf8, const PageSink& sink) {
    if (!utf8)
        return session.streamPage(text, moment, sink);
    Utf8PageStream decoded(sink);
    return session.streamPage(text, moment, [&decoded](std::string_view piece) {
        return decoded.put(piece);
    }) && decoded.finish();
}

// Whether `path` (its link followed) is there and is neither a file nor a folder: a
// device, a pipe, a terminal.
bool namesDeviceOrPipe(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
           !std::filesystem::is_directory(status);
}

int fail(std::ostream& err, const std::string& message, int status) {
    err << "mireto-convert: " << message << '\n';
    return status;
}

} // namespace

int runConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = parseOptions(args);
    if (!parsed.error.empty())
        return fail(err, parsed.error, kUsage);
    const CliOptions& options = parsed.options;
    if (options.help) {
        out << usageText();
        return kOk;
    }
    if (options.version) {
        out << "mireto-convert " << MIRETO_VERSION << '\n';
        return kOk;
    }

    ConversionSession session;
    std::string warning;
    if (const std::string error = loadCliSettings(options.settingsPath, session, warning);
        !error.empty())
        return fail(err, error, kFailed);
    if (!warning.empty())
        err << "mireto-convert: warning: " << warning << '\n';
    if (options.list) {
        out << listSettings(session);
        return kOk;
    }
    if (const std::string error = chooseFromSettings(session, options); !error.empty())
        return fail(err, error, kUsage);

    const FormatChoice choice = options.format
                                    ? chooseFormat(*options.format)
                                    : storedFormat(session, options.templateName.has_value());
    if (!choice.format)
        return fail(err, choice.error, options.format ? kUsage : kFailed);
    session.pickFormat(*choice.format);

    InputText input = readInput(options.inputPath);
    if (!input.ok)
        return fail(err, input.error, kFailed);
    // Text that reads as UTF-8 is UTF-8, unless --encoding says otherwise.
    const bool utf8Input = options.encoding == InputEncoding::Utf8 ||
                           (options.encoding == InputEncoding::Detect && readsAsUtf8(input.bytes));
    if (utf8Input) {
        SjisConversion converted = utf8ToSjis(input.bytes);
        if (!converted.ok)
            return fail(err, converted.error, kFailed);
        input.bytes = std::move(converted.text);
    }
    const std::string text = withCrLfLineEnds(std::move(input.bytes));

    const std::time_t moment = options.time ? *options.time : systemTimeNow();

    std::optional<std::filesystem::path> pagePath;
    if (options.outputPath && *options.outputPath != "-")
        pagePath = *options.outputPath;
    else if (options.open) {
        pagePath = appPaths().pageFile;
        std::error_code error;
        std::filesystem::create_directories(pagePath->parent_path(), error);
    }

    const bool utf8 = options.pageEncoding == PageEncoding::Utf8;
    const auto writeTo = [&](std::ostream& stream) {
        const bool written =
            writePage(session, text, moment, utf8, [&stream](std::string_view piece) {
                stream.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                return static_cast<bool>(stream);
            });
        stream.flush();
        return written && stream;
    };
    if (!pagePath) {
        return writeTo(out) ? kOk : fail(err, "cannot write the page to standard output", kFailed);
    }
    if (namesDeviceOrPipe(*pagePath)) {
        // Written into like the standard output: a new file put in its place would
        // replace the device (/dev/null, say) or the pipe itself.
        std::ofstream device(*pagePath, std::ios::binary);
        if (!device || !writeTo(device))
            return fail(err, pagePath->string() + ": cannot write the page", kFailed);
        if (options.open)
            err << "mireto-convert: " << pagePath->string() << " is not a file to open\n";
        return kOk;
    }

    // A page is made again from its text at any time: not worth waiting for the disk.
    AtomicFileWriter file(*pagePath, FlushToDisk::No);
    writePage(session, text, moment, utf8,
              [&file](std::string_view piece) { return file.append(piece); });
    const FileWriteResult written = file.commit();
    if (!written.ok)
        return fail(err, written.error, kFailed);
    if (options.open && !openInBrowser(*pagePath))
        err << "mireto-convert: could not start xdg-open for " << pagePath->string() << '\n';
    return kOk;
}

} // namespace mireto::cli
