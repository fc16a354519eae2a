// The canned posts and fixed pieces of the bulletin-board thread page: the
// ASCII-art replies, the two certificates, the closing letters and the footer.
// All Shift_JIS; the lines of a picture or letter are separated by "<br>".
#pragma once

#include <string_view>

namespace mireto::thread_texts {

// Opening replies.
extern const std::string_view kClaimSecondPost; // 今だ！2ゲットォォｫｫ！！ ...
extern const std::string_view kGoodThreadOmen;  // 良 ス レ の 予 感
extern const std::string_view kBadThreadScold;  // >> 1 クソスレ立てんな　ヴォケ！

// Good-thread replies.
extern const std::string_view kGoodThreadAge; // 良スレage
extern const std::string_view kGoodCertificateTop;
// What follows the era, year and month on the certificates' date lines.
extern const std::string_view kGoodCertificateDateTail;
extern const std::string_view kBadCertificateDateTail;
// The closing part both certificates share.
extern const std::string_view kCertificateBottom;

// Bad-thread replies.
extern const std::string_view kGravestone;
extern const std::string_view kBadCertificateTop;
extern const std::string_view kTwoGossips;
extern const std::string_view kThreadEndedSign;

// The apology letters that close a bad thread.
extern const std::string_view kMotherLetter;
extern const std::string_view kRetainerLetter;
extern const std::string_view kPhysicianLetter;

// The footer: the thread's end with the board's banner, then the reply form and the
// end of the page.
extern const std::string_view kThreadEnd;
extern const std::string_view kReplyForm;

} // namespace mireto::thread_texts
