#pragma once
// The encrypted task file container, and the two small transformations of
// task values: the hexadecimal layer of the task password and the scrambling
// of password-type field values.
#include "PieceWriter.h"
#include "Z9StringReader.h"

#include <string>
#include <string_view>

namespace z9 {

// The container's first two lines, exact.
inline constexpr const char* kContainerLine1 = "<?xml version=\"1.0\"?>";
inline constexpr const char* kContainerLine2 = "<zorvanfile version=\"1.1\" encrypted=\"yes\">";
inline constexpr const char* kContainerEnd = "</zorvanfile>";
// Plain text per body line.
inline constexpr std::size_t kContainerChunk = 40;

// The whole container for a plain task text, lines joined with CR LF (no final CR LF).
std::string BuildContainer(const std::string& plainText);

// Builds the same container as the plain text comes in, handing it to a sink
// in pieces of about 64 KiB, so a large task's container is never whole in memory.
class ContainerWriter {
public:
    explicit ContainerWriter(PieceWriter::Sink sink);
    // Adds plain text; false once the sink has failed.
    bool Add(std::string_view plain);
    // The last body line and the end; false when the sink failed now or before.
    bool Finish();

private:
    bool Line(std::string_view chunk);

    PieceWriter out_;
    std::string chunk_; // plain text not yet enciphered, shorter than a body line
};

// When the reader's text is a valid container, replaces it by the deciphered
// plain text and returns true. Otherwise returns false. Either way the reader
// is left at its first line; its doubled-delimiter switch is kept.
bool OpenContainer(Z9StringReader& reader);

// One body line for up to 40 plain characters, and back.
std::string EncipherLine(const std::string& chunk);
// A line the encoder did not make gives garbage, never an error.
std::string DecipherLine(const std::string& line);

// Pairs of uppercase hexadecimal digits to characters; every other character
// is skipped and a trailing single digit is dropped.
std::string HexDecode(const std::string& text);
// Each character's code as two uppercase hexadecimal digits, no separators:
// the form HexDecode reads.
std::string HexEncode(const std::string& text);

// A password-type field value (1 to 128 characters) in its scrambled
// hexadecimal form, and back; anything out of range gives empty text.
std::string ScrambleValue(const std::string& value);
std::string UnscrambleValue(const std::string& hexText);

} // namespace z9
