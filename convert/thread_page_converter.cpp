#include "convert/thread_page_converter.h"

#include "convert/japanese_era.h"
#include "convert/sjis_literal.h"
#include "convert/sjis_text.h"
#include "convert/thread_canned_texts.h"

#include <cstdio>

namespace mireto {

namespace {

constexpr std::string_view kLineEnd = "<br>\r\n";
constexpr std::string_view kColon = "："_sjis;

// "02/09/5 21:07": the year without its century, the day without a leading zero.
std::string postDateText(const std::tm& date) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%d %02d:%02d", date.tm_year + 1900 - 2000,
                  date.tm_mon + 1, date.tm_mday, date.tm_hour, date.tm_min);
    return text;
}

} // namespace

void ThreadPageConverter::generate() {
    writeHead();

    seedRandom();
    m_now = localCalendarTime(moment());
    m_postDate = postDateText(m_now);
    m_postNumber = 2;
    m_stepsSincePost = 0;
    m_bytesSincePost = 0;
    bool lineEnded = false;

    const std::string firstId = newPosterId();
    write("<dl><dt>1 ");
    write(kColon);
    write("<font color=green><b>");
    write(m_settings.name);
    write("</b></font> ");
    writeDateAndId(firstId);

    startScan(kSentenceDelimiters);
    while (scanStep()) {
        if (endsHere(sjis::kLineBreak)) {
            // The line already ended with its sentence, or the line is empty.
            const std::string_view before = twoBytesBefore();
            if (before == sjis::kFullStop || before == sjis::kLineBreak) {
                if (before == sjis::kLineBreak)
                    write("<br>");
                ++m_stepsSincePost;
                finishStep();
                continue;
            }
        }
        // A new post begins only where a line has just been written.
        if (lineEnded) {
            lineEnded = false;
            if (m_stepsSincePost > kStepsPerPost || m_bytesSincePost > kBytesPerPost)
                insertReplyBlock();
        }
        emitSegment(segment());
        write(kLineEnd);
        lineEnded = true;
        ++m_stepsSincePost;
        finishStep();
    }
    emitSegment(segment());

    if (m_postNumber == 2)
        openingReplies();
    if (m_settings.mode == ThreadSettings::BadThread)
        closingPost();
    write(thread_texts::kThreadEnd);
    write(thread_texts::kReplyForm);
}

void ThreadPageConverter::writeHead() {
    write("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
          "charset=Shift_JIS\"><title>");
    write(m_settings.title);
    write("</title>\r\n");
    write("</head><body bgcolor=#efefef text=black link=blue alink=red vlink=#660099>\r\n");
    // ■掲示板に戻る■ 全部 1- 101- 最新50
    write("<a href=\"./tmp\">■掲示板に戻る■</a> "
          "<a href=\"./tmp\">全部</a> <a href=\"./tmp\">1-</a> "
          "<a href=\"./tmp\">101-</a> <a href=\"./tmp\">最新50</a>"
          "<p><font size=+1 color=red>"_sjis);
    write(m_settings.title);
    write("</font>");
}

void ThreadPageConverter::emitSegment(std::string_view segment) {
    const std::size_t before = pageSize();
    if (isBlank(segment))
        write(segment);
    else
        writeConverted(segment);
    m_bytesSincePost += static_cast<std::int64_t>(pageSize() - before);
}

void ThreadPageConverter::insertReplyBlock() {
    if (m_postNumber == 2)
        openingReplies();

    const int choice = draw() % 5;
    const std::int32_t mode = m_settings.mode;
    if (choice == 0 && mode == ThreadSettings::GoodThread) {
        writePostHeader(Header::Age);
        goodThreadReply();
        writePostHeader(Header::Plain);
    } else if (choice == 0 && mode == ThreadSettings::BadThread) {
        writePostHeader(Header::Sage);
        badThreadReply();
        writePostHeader(Header::Plain);
    } else if (choice == 0) {
        writePostHeader(Header::Sage);
    } else if (choice == 1) {
        // Only a bad thread draws again here.
        if (mode == ThreadSettings::BadThread && draw() % 2 == 1) {
            writePostHeader(Header::Sage);
            badThreadReply();
            writePostHeader(Header::Plain);
        } else {
            writePostHeader(Header::Age);
        }
    } else {
        writePostHeader(Header::Plain);
    }
    m_bytesSincePost = 0;
    m_stepsSincePost = 0;
}

void ThreadPageConverter::writePostHeader(Header kind) {
    const std::string id = newPosterId();
    write("<br><br><dt>");
    write(std::to_string(m_postNumber++));
    switch (kind) {
    case Header::Plain:
        write(" <font color=green><b>");
        write(m_settings.name);
        write("</b></font> ");
        break;
    case Header::Age:
        write(" <a href=\"mailto:age\"><b>");
        write(m_settings.name);
        write("</b></a> ");
        break;
    case Header::Sage:
        write(" <a href=\"mailto:sage\"><b>");
        write(m_settings.name);
        write("</b></a> ");
        break;
    }
    writeDateAndId(id);
}

void ThreadPageConverter::writeDateAndId(const std::string& id) {
    write(kColon);
    write(m_postDate);
    write(" ID:");
    write(id);
    write("<dd>");
}

std::string ThreadPageConverter::newPosterId() {
    std::string id;
    for (int i = 0; i < 8; ++i) {
        const int r = draw();
        switch (r % 5) {
        case 0: {
            const int k = r % 12;
            id += k == 11 ? '+' : k == 10 ? '/' : static_cast<char>('0' + k);
            break;
        }
        case 1:
        case 2:
            id += static_cast<char>('A' + r % 26);
            break;
        default:
            id += static_cast<char>('a' + r % 26);
            break;
        }
    }
    return id;
}

void ThreadPageConverter::openingReplies() {
    if (draw() % 3 == 0) {
        writePostHeader(Header::Sage);
        write(thread_texts::kClaimSecondPost);
    }
    if (m_settings.mode == ThreadSettings::GoodThread) {
        writePostHeader(Header::Sage);
        write(thread_texts::kGoodThreadOmen);
    } else if (m_settings.mode == ThreadSettings::BadThread) {
        writePostHeader(Header::Sage);
        write(thread_texts::kBadThreadScold);
    }
}

void ThreadPageConverter::goodThreadReply() {
    if (draw() % 3 < 2)
        write(thread_texts::kGoodThreadAge);
    else
        writeCertificate(thread_texts::kGoodCertificateTop, thread_texts::kGoodCertificateDateTail);
}

void ThreadPageConverter::badThreadReply() {
    switch (draw() % 4) {
    case 0:
        write(thread_texts::kGravestone);
        break;
    case 1:
        writeCertificate(thread_texts::kBadCertificateTop, thread_texts::kBadCertificateDateTail);
        break;
    case 2:
        write(thread_texts::kTwoGossips);
        break;
    default:
        write(thread_texts::kThreadEndedSign);
        break;
    }
}

void ThreadPageConverter::writeCertificate(std::string_view top, std::string_view dateTail) {
    const EraYear era = japaneseEra(m_now);
    char month[16];
    std::snprintf(month, sizeof month, "%2d", m_now.tm_mon + 1);

    write(top);
    write("│"_sjis);
    write(era.name);
    write(std::to_string(era.year));
    write("年"_sjis);
    write(month);
    write("月"_sjis);
    write(dateTail);
    write(thread_texts::kCertificateBottom);
}

void ThreadPageConverter::closingPost() {
    const int letter = draw() % 3;
    writePostHeader(Header::Plain);
    if (letter == 0)
        write(thread_texts::kMotherLetter);
    else if (letter == 1)
        write(thread_texts::kRetainerLetter);
    else
        write(thread_texts::kPhysicianLetter);
    write("<br><br><br>");
}

} // namespace mireto
