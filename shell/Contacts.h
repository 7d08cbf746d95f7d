#pragma once
// The maker's addresses, numbers and names shown or opened by the program.
// Neutral placeholders: a distributor edits this one file. Every address lies
// under the reserved example.com domain; every number is plainly fictitious.

namespace tongshu::contacts {

inline constexpr char kMakerName[] = "示例软件工作室";
inline constexpr char kContactPerson[] = "客服专员";
inline constexpr char kServicePhone[] = "010-0000-0000";
inline constexpr char kSupportQQ[] = "10000000";
inline constexpr char kSupportMail[] = "kf@example.com";
inline constexpr char kOtherProduct[] = "吉星日历(示例)";

inline constexpr char kHomePage[] = "https://www.example.com/";
inline constexpr char kForumPage[] = "https://forum.example.com/";
inline constexpr char kDownloadPage[] = "https://download.example.com/tongshu/";
inline constexpr char kChatHost[] = "https://chat.example.com";

inline constexpr char kWelcomeLine[] =
    "欢迎使用吉星通书！示例软件工作室  电话：010-0000-0000  QQ：10000000";

}  // namespace tongshu::contacts
