#include "ToolWiring.h"

#include "DateWin.h"
#include "TFormHuangdao.h"
#include "TFormOnther.h"
#include "TFrm_SJcs.h"
#include "TFrmQQhm.h"
#include "TFrm_onther.h"
#include "UntWangm.h"

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
