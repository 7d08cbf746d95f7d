#pragma once
// Small Access files written by the project's writer, shaped like the two
// tables the program reads: the starting points of the reader's fuzzing.
#include <string>
#include <utility>
#include <vector>

#include "tools/jetwrite/JetWriter.h"

namespace tongshu::fuzz {

inline std::vector<std::pair<std::string, std::vector<std::uint8_t>>> MdbSeedFiles() {
  using jetwrite::Column;
  using jetwrite::ColumnType;
  const auto text = [](const char* name, int chars) { return Column{name, ColumnType::Text, chars}; };
  jetwrite::Table huangdao{"huangdao",
                           {{"gn", ColumnType::DateTime, 0}, text("nn", 255), text("suici", 255), text("tszf", 255),
                            text("wuhang", 255), text("cong", 255), text("pzbj", 255), text("jsyq", 255),
                            text("yi", 255), text("xsyq", 255), text("ji", 255)},
                           {}};
  huangdao.rows.push_back({"2011-03-05", " 农历正月初一 ", "辛卯年", "占门", "金", "冲鸡", "甲不开仓", "天恩",
                           "祭祀 出行", "月破", "嫁娶"});
  huangdao.rows.push_back({"2012-02-29", "leap", std::nullopt, "", "\t", "x", "y", "z", "w", "v", "u"});
  huangdao.rows.push_back({"2011-03-05 12:30:00", "second row of the day", "a", "b", "c", "d", "e", "f", "g", "h",
                           "i"});
  huangdao.rows.push_back({std::nullopt, "no date", "1", "2", "3", "4", "5", "6", "7", "8", "9"});

  std::string longMemo;
  for (int i = 0; i < 1500; ++i) longMemo += "运势";
  jetwrite::Table shouji{"shouji",
                         {text("num", 10), text("title", 100), text("jx", 10), {"content", ColumnType::Memo, 0}},
                         {{"21", "状态", "吉", "短的说明"},
                          {"0", "零", "凶", std::nullopt},
                          {"79", " 七十九 ", "吉带凶", longMemo},
                          {"5", "five", "x", std::string(300, 'm')}}};

  return {
      {"huangdao.mdb", jetwrite::WriteDatabase({huangdao})},
      {"shouji.mdb", jetwrite::WriteDatabase({shouji})},
      {"both.mdb", jetwrite::WriteDatabase({shouji, huangdao}, {.inlineMemoLimit = 64})},
      {"empty.mdb", jetwrite::WriteDatabase({})},
  };
}

}  // namespace tongshu::fuzz
