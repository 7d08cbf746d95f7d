#include "app/ToolWiring.h"

#include "almanac/TFormHuangdao.h"
#include "almanac/TFormOnther.h"
#include "calendar/DateWin.h"
#include "netname/UntWangm.h"
#include "numerology/TFrmQQhm.h"
#include "numerology/TFrm_SJcs.h"
#include "numerology/TFrm_onther.h"

namespace tongshu {

shell::ToolWindows MakeToolWindows() {
  shell::ToolWindows tools;
  tools.almanac = &OpenFormHuangdao;
  tools.omen = &ShowOmenWindow;
  tools.mobile = &OpenFrm_SJcs;
  tools.qqNumber = &OpenFrmQQhm;
  tools.anyNumber = &OpenFrm_onther;
  tools.netName = &OpenFrmWangming;
  tools.calendar = &OpenFRM_Date;
  return tools;
}

}  // namespace tongshu
