// almanac and mobile: the two windows that read a data file, through the same
// statements, checks and query component, on the file in the data directory.
#include <charconv>
#include <optional>

#include "almanac/HuangdaoLookup.h"
#include "calendar/LunarCalendar.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "db/Database.h"
#include "numerology/MobileNumber.h"
#include "numerology/NumberText.h"
#include "services/ConnStr.h"
#include "text/Cp936.h"
#include "text/Utf8.h"

namespace tongshu::cli {
namespace {

// The three boxes of the almanac window from one "Y-M-D" argument: the text
// up to the first "-", up to the second, and the rest.
struct DateBoxes {
  std::string year, month, day;
};

DateBoxes SplitDateArgument(std::string_view text) {
  DateBoxes boxes;
  const auto first = text.find('-');
  boxes.year = std::string(text.substr(0, first));
  if (first == std::string_view::npos) return boxes;
  const auto second = text.find('-', first + 1);
  boxes.month = std::string(text.substr(first + 1, second == std::string_view::npos ? second : second - first - 1));
  if (second != std::string_view::npos) boxes.day = std::string(text.substr(second + 1));
  return boxes;
}

}  // namespace

int AlmanacCommand(const CommandLine& line, Context& ctx) {
  DateBoxes boxes;
  if (line.positional.empty()) {
    boxes = {std::to_string(static_cast<int>(ctx.today.year())),
             std::to_string(static_cast<unsigned>(ctx.today.month())),
             std::to_string(static_cast<unsigned>(ctx.today.day()))};
  } else if (line.positional.size() == 1) {
    boxes = SplitDateArgument(line.positional.front());
  } else if (line.positional.size() == 3) {
    boxes = {line.positional[0], line.positional[1], line.positional[2]};
  } else {
    throw InputError("tongshu-cli almanac: give Y-M-D, Y M D, or nothing for today (see tongshu-cli almanac --help)");
  }
  const almanac::HuangdaoRequest request = almanac::CheckHuangdaoBoxes(boxes.year, boxes.month, boxes.day);
  if (!request.ok()) throw InputError(std::string(request.message));
  const std::string& dateText = request.dateText;

  db::Query query(ctx.database);
  query.setConnectionString(BuildConnStr(ctx.dataDir, kBirthTail));
  query.setSql(request.statement);
  query.open();
  if (query.isEmpty()) {
    // The windows say nothing here; a command line user is told why.
    int year = 0;
    std::from_chars(dateText.data(), dateText.data() + dateText.size(), year);
    if (year < calendar::kFirstYear || year > calendar::kLastYear)
      ctx.err << "tongshu-cli almanac: 自带的黄历只有 " << calendar::kFirstYear << "–" << calendar::kLastYear
              << " 年，没有 " << dateText << " 这一天\n";
    return kExitNoRow;
  }
  const db::Record& record = *query.row();
  const almanac::HuangdaoDay shown = almanac::FormatHuangdaoDay(
      dateText, almanac::HuangdaoRowOf([&](std::string_view column) { return record.field(column); }));

  if (line.json) {
    ctx.out << JsonObject()
                   .addString("date", dateText)
                   .addString("overview", shown.overview)
                   .addRaw("lines", JsonStringArray(shown.lines))
                   .str()
            << '\n';
  } else {
    ctx.out << shown.overview << '\n';
    for (const std::string& text : shown.lines) ctx.out << text << '\n';
  }
  return kExitOk;
}

int MobileCommand(const CommandLine& line, Context& ctx) {
  RequirePositional("mobile", line, 1);
  const std::string number(numerology::TrimLow(line.positional.front()));
  if (number.empty()) throw InputError("请输入11位手机号码！");
  // The reduction counts the bytes of the number's GBK text, as the window does.
  RequireUtf8(number);
  const std::string reduced = numerology::ShoujiReducedNumber(cp936::FromUtf8(number));

  db::Query query(ctx.database);
  query.setConnectionString(BuildConnStr(ctx.dataDir, kDreamTail));
  query.setSql(numerology::ShoujiStatement(reduced));
  query.open();
  // By position, as the window reads them: title, jx, content.
  const auto value = [&](std::size_t column) {
    return query.row() ? std::string(numerology::TrimLow(query.row()->field(column))) : std::string();
  };
  const std::string title = value(0), verdict = value(1), content = value(2);

  if (line.json) {
    ctx.out << JsonObject()
                   .addString("number", number)
                   .addString("reduced", reduced)
                   .addString("title", title)
                   .addString("jx", verdict)
                   .addString("content", content)
                   .str()
            << '\n';
  } else {
    WriteFields(ctx.out, {number, reduced, title, verdict, content});
  }
  return kExitOk;
}

}  // namespace tongshu::cli
