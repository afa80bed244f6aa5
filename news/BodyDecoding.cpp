#include "BodyDecoding.h"

#include <algorithm>
#include <array>
#include <optional>

#include "Charset.h"
#include "CodePageConversion.h"
#include "InflateStream.h"

namespace ostrafel {
namespace {

// zlib counts in 32 bits, so input is fed in pieces.
constexpr std::size_t kInputPiece = std::size_t{1} << 20;

} // namespace

std::string Inflate(std::string_view data, Compression compression) {
    const TInflateStream stream =
        StartInflate(compression == Compression::Gzip ? 16 + MAX_WBITS : MAX_WBITS);
    if (!stream)
        throw HttpError("cannot start decompression");
    z_stream& z = *stream.get();
    std::array<char, 1 << 16> buffer;
    std::string output;
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        if (z.avail_in == 0) {
            if (data.empty())
                throw HttpError("compressed body ends too early");
            const std::size_t piece = std::min(data.size(), kInputPiece);
            z.next_in = reinterpret_cast<const Bytef*>(data.data());
            z.avail_in = static_cast<uInt>(piece);
            data.remove_prefix(piece);
        }
        z.next_out = reinterpret_cast<Bytef*>(buffer.data());
        z.avail_out = static_cast<uInt>(buffer.size());
        result = inflate(&z, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            throw HttpError("compressed body is corrupt");
        AppendBodyPiece(output, std::string_view(buffer.data(), buffer.size() - z.avail_out));
    }
    return output;
}

std::string DecodeContent(const HttpHeaders& headers, std::string body) {
    const std::optional<std::string_view> encoding = FindHeader(headers, "Content-Encoding");
    if (body.empty() || !encoding)
        return body;
    if (*encoding == "gzip")
        return Inflate(body, Compression::Gzip);
    if (*encoding == "deflate")
        return Inflate(body, Compression::Zlib);
    return body;
}

unsigned BodyCodePage(const HttpHeaders& headers) {
    const std::optional<std::string> charset =
        ExtractCharset(FindHeader(headers, "Content-Type").value_or(""));
    if (!charset || EqualsIgnoringCase(*charset, "utf-8"))
        return kCodePageUtf8;
    if (const std::optional<unsigned> codePage = CodePageForCharset(*charset))
        return *codePage;
    throw HttpError("unknown character set " + *charset);
}

std::string_view SkipByteOrderMark(std::string_view bytes, unsigned codePage) {
    std::string_view mark;
    if (codePage == kCodePageUtf8)
        mark = "\xEF\xBB\xBF";
    else if (codePage == kCodePageUtf16LE)
        mark = "\xFF\xFE";
    else if (codePage == kCodePageUtf16BE)
        mark = "\xFE\xFF";
    return bytes.starts_with(mark) ? bytes.substr(mark.size()) : bytes;
}

std::u16string DecodeBody(const HttpResponse& response) {
    const std::string body = DecodeContent(response.headers, response.body);
    const unsigned codePage = BodyCodePage(response.headers);
    std::optional<std::u16string> text = BytesToUtf16(codePage, SkipByteOrderMark(body, codePage));
    if (!text)
        throw HttpError("cannot decode the body from code page " + std::to_string(codePage));
    return std::move(*text);
}

} // namespace ostrafel
