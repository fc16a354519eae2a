// The bulletin-board thread page (某巨大掲示板群): the text spread over numbered
// posts with dates and random poster IDs and, by the thread mode, canned replies
// from other posters mixed in.
#pragma once

#include "convert/converter.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace mireto {

class ThreadPageConverter : public Converter {
public:
    // A user post ends at the first sentence or line boundary after more than this
    // many scanner steps or bytes of text.
    static constexpr int kStepsPerPost = 8;
    static constexpr std::int64_t kBytesPerPost = 3500;

    explicit ThreadPageConverter(ThreadSettings settings) : m_settings(std::move(settings)) {}

protected:
    void generate() override;

private:
    enum class Header { Plain, Age, Sage };

    void writeHead();
    void emitSegment(std::string_view segment);
    void insertReplyBlock();

    // Writes the header of the next post, which takes the next number.
    void writePostHeader(Header kind);
    std::string newPosterId();
    // The end of every post header: "：date ID:xxxxxxxx<dd>".
    void writeDateAndId(const std::string& id);

    void openingReplies();
    void goodThreadReply();
    void badThreadReply();
    void writeCertificate(std::string_view top, std::string_view dateTail);
    void closingPost();

    ThreadSettings m_settings;
    // The page's local date and time, taken once; every post and certificate shows it.
    std::tm m_now{};
    std::string m_postDate;
    int m_postNumber = 2;
    int m_stepsSincePost = 0;
    std::int64_t m_bytesSincePost = 0;
};

} // namespace mireto
