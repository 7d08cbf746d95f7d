#pragma once
// The main window's menu bar and activity buttons as data: captions, names,
// order, separators, submenus and the command each item runs.
#include <array>
#include <span>
#include <string_view>

namespace tongshu::shell {

enum class Command {
  None,           // no handler at all
  Shared55,       // the shared no-action handler dxBarButton55Click
  Shared202,      // the shared no-action handler dxBarButton202Click
  Exit,
  Almanac,
  Omen,
  Mobile,
  QQNumber,
  AnyNumber,
  NetName,
  NanNv,
  Calendar,
  Servers,
  MailUs,
  ChatQQ,
  Forum,
  About,
  Upgrade,
};

enum class Entry { Item, SubmenuBegin, SubmenuEnd };

struct MenuItemDef {
  Entry entry;
  std::string_view caption;  // UTF-8
  std::string_view name;     // objectName; empty where the item has none of its own
  Command command = Command::None;
  bool separatorBefore = false;
  int omenPage = -1;
  std::string_view omenTitle = {};
};

struct MenuDef {
  std::string_view caption;
  std::span<const MenuItemDef> items;
};

constexpr MenuItemDef Item(std::string_view caption, std::string_view name, Command c,
                           bool sep = false) {
  return {Entry::Item, caption, name, c, sep};
}
constexpr MenuItemDef Omen(std::string_view caption, std::string_view name, std::string_view title,
                           int page) {
  return {Entry::Item, caption, name, Command::Omen, false, page, title};
}

inline constexpr MenuItemDef kSystemMenu[] = {
    Item("退出系统", "dxBarButton5", Command::Exit),
};

inline constexpr MenuItemDef kJiriMenu[] = {
    Item("黄道吉日", "dxBarButton171", Command::Almanac),
    Item("吉日查询", "dxBarButton190", Command::None),
    Item("开市吉日", "", Command::Shared55, true),
    Item("交易吉日", "", Command::Shared55),
    Item("嫁娶吉日", "", Command::Shared55),
    Item("入宅吉日", "", Command::Shared55),
    Item("入学吉日", "", Command::Shared55),
    Item("纳财吉日", "", Command::Shared55),
    Item("订盟吉日", "", Command::Shared55),
    Item("安门吉日", "", Command::Shared55),
    Item("出行吉日", "", Command::Shared55),
    Item("开光吉日", "", Command::Shared55),
    Item("求嗣吉日", "", Command::Shared55),
    Item("祈福吉日", "", Command::Shared55),
    Item("破土吉日", "", Command::Shared55),
    Item("祭祀吉日", "", Command::Shared55),
    Item("安葬吉日", "", Command::Shared55),
};

inline constexpr MenuItemDef kRibuMenu[] = {
    Item("占元旦日阴晴", "", Command::Shared202),   Item("占元旦值十干", "", Command::Shared202),
    Item("占四季甲子日雨", "", Command::Shared202), Item("占立春 春分日", "", Command::Shared202),
    Item("占立夏 夏至日", "", Command::Shared202),  Item("占立秋 秋分日", "", Command::Shared202),
    Item("占立冬 冬至日", "", Command::Shared202),  Item("占雷鸣日", "", Command::Shared202),
    Item("占天", "", Command::Shared202),           Item("占云", "", Command::Shared202),
    Item("占风", "", Command::Shared202),           Item("占日", "", Command::Shared202),
    Item("占火", "", Command::Shared202),           Item("占雾", "", Command::Shared202),
    Item("占雷电", "", Command::Shared202),         Item("占鹊噪", "", Command::Shared202),
    Item("占彩虹", "", Command::Shared202),         Item("占灯花", "", Command::Shared202),
};

inline constexpr MenuItemDef kZeriMenu[] = {
    Item("择日之法", "", Command::Shared202),
    Item("择日步骤方法", "", Command::Shared202),
    Item("正五行择日法", "", Command::Shared202),
    Item("二十八宿吉凶", "", Command::Shared202),
    Item("三元五腊圣诞日期", "", Command::Shared202),
    Item("六十甲子亡命安葬...", "", Command::Shared202),
    Item("董公择日法", "", Command::Shared202),
    Item("二十八宿值日占...", "", Command::Shared202),
    Item("金符经", "", Command::Shared202),
    {Entry::SubmenuBegin, "风水择日", ""},
    Item("风水择日口诀", "", Command::Shared202),
    Item("风水择日之入殓安葬的呼", "", Command::Shared202),
    Item("风水择日之逐日大殓吉时", "", Command::Shared202),
    Item("风水择日之若干五行", "", Command::Shared202),
    Item("论风水择日之贵人禄马", "", Command::Shared202),
    Item("论风水择日之补山相主", "", Command::Shared202),
    Item("风水择日之竖造论用", "", Command::Shared202),
    Item("风水择日之安葬论用", "", Command::Shared202),
    {Entry::SubmenuEnd, "", ""},
    Item("神像开光择日", "", Command::Shared202),
    Item("企业开张择日", "", Command::Shared202),
    Item("动土装修装饰择日", "", Command::Shared202),
    Item("入宅搬迁择日", "", Command::Shared202),
    Item("嫁娶择日之玉历碎金赋", "", Command::Shared202),
    Item("择日之嫁娶论用", "", Command::Shared202),
    Item("嫁娶择日要论", "", Command::Shared202),
    Item("安灶修厨之择日", "", Command::Shared202),
    Item("择日之论朱雀入宫", "", Command::Shared202),
};

inline constexpr MenuItemDef kPeiduiMenu[] = {
    Item("星座配对", "dxBarButton27", Command::None),
    Item("生肖配对", "dxBarButton26", Command::None),
    Item("血型配对", "dxBarButton28", Command::None),
};

inline constexpr MenuItemDef kJiemengMenu[] = {
    Item("周公解析", "dxBarButton38", Command::None),
    Item("解梦全书", "dxBarButton191", Command::None),
};

inline constexpr MenuItemDef kZhanbuMenu[] = {
    Omen("打喷嚏占卜", "dxBarButton192", "打喷嚏占卜吉凶", 0),
    Omen("面热测占卜", "dxBarButton193", "面热测吉凶", 1),
    Omen("心惊测占卜", "dxBarButton196", "心惊测吉凶", 2),
    Omen("犬吠测占卜", "dxBarButton198", "犬吠测吉凶", 3),
    Omen("眼跳测占卜", "dxBarButton200", "眼跳测吉凶", 4),
    Omen("耳热测占卜", "dxBarButton199", "耳热测吉凶", 5),
    Omen("耳鸣测占卜", "dxBarButton197", "耳鸣测吉凶", 6),
};

inline constexpr MenuItemDef kToolsMenu[] = {
    Item("手机号码分析", "dxBarButton19", Command::Mobile),
    Item("QQ号码分析", "dxBarButton22", Command::QQNumber),
    Item("更多数字分析", "dxBarButton23", Command::AnyNumber),
    Item("网名分析", "dxBarButton82", Command::NetName),
    Item("生男生女", "dxBarButton39", Command::NanNv, true),
    Item("万年历法", "dxBarButton43", Command::Calendar),
};

inline constexpr MenuItemDef kServiceMenu[] = {
    Item("客户服务", "dxBarButton53", Command::Servers),
    Item("给我们发邮件", "dxBarButton63", Command::MailUs),
    Item("与QQ对话", "dxBarButton64", Command::ChatQQ),
    {Entry::SubmenuBegin, "其他产品", "dxBarSubItem21", Command::None, true},
    Item("", "", Command::None),  // caption: the maker's other product, filled in at build time
    {Entry::SubmenuEnd, "", ""},
};

inline constexpr MenuItemDef kHelpMenu[] = {
    Item("公司主页", "dxBarButton44", Command::Forum),
    Item("关于系统", "dxBarButton45", Command::About),
    Item("软件升级", "dxBarButton47", Command::Upgrade, true),
};

inline constexpr std::array<MenuDef, 10> kMenus{{
    {"系统(&S)", kSystemMenu},
    {"吉日(&D)", kJiriMenu},
    {"日卜(&R)", kRibuMenu},
    {"择日(&Z)", kZeriMenu},
    {"配对(&P)", kPeiduiMenu},
    {"解梦(&Q)", kJiemengMenu},
    {"占卜(&B)", kZhanbuMenu},
    {"工具(&G)", kToolsMenu},
    {"服务(&F)", kServiceMenu},
    {"帮助(&H)", kHelpMenu},
}};

// The 54 activity buttons, row by row, three to a row.
inline constexpr std::array<std::string_view, 54> kActivityButtons{
    "开市吉日", "交易吉日", "嫁娶吉日", "入宅吉日", "入学吉日", "纳财吉日", "订盟吉日", "安门吉日",
    "出行吉日", "开光吉日", "求嗣吉日", "祈福吉日", "破土吉日", "祭祀吉日", "安葬吉日", "求医吉日",
    "解除吉日", "破屋吉日", "塑绘吉日", "纳采吉日", "除服吉日", "成服吉日", "纳婿吉日", "入殓吉日",
    "立碑吉日", "出火吉日", "修造吉日", "动土吉日", "造桥吉日", "栽种吉日", "栽种吉日", "牧养吉日",
    "纳畜吉日", "移徙吉日", "盖屋吉日", "安床吉日", "起基吉日", "安香吉日", "挂匾吉日", "拆卸吉日",
    "置产吉日", "沐浴吉日", "捕捉吉日", "理发吉日", "修坟吉日", "问名吉日", "裁衣吉日", "作灶吉日",
    "安香吉日", "上梁吉日", "扫舍吉日", "习艺吉日", "结网吉日", "合帐吉日"};

inline constexpr int kActivityColumnX[3] = {3, 63, 123};
inline constexpr int kActivityButtonWidth = 59;
inline constexpr int kActivityButtonHeight = 22;
constexpr int ActivityRowY(int row) { return 4 + 24 * row; }

}  // namespace tongshu::shell
