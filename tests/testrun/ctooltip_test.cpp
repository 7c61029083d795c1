// The tooltip class over the platform's tooltip control: what it asks the control, in
// order, for each property and life-cycle step.
#include "testrun/ctooltip.hpp"

#include <gtest/gtest.h>

#include "core/about1.hpp"
#include "core/welcome.hpp"
#include "support/test_program.hpp"

namespace pv::testing {
namespace {

using Calls = std::vector<std::string>;

TEST(Tooltip, CreatePropertiesAndDestroy) {
  TestProgram app;
  RecordingTooltips& tips = *app.tooltips;
  Form& welcome = app.forms().get<Welcome>();
  Form& about = app.forms().get<About1>();
  {
    CTooltip tip(tips);
    EXPECT_EQ(tip.DelayTime(), 500);
    EXPECT_EQ(tip.VisibleTime(), 5000);
    EXPECT_EQ(tip.Style(), 0);
    EXPECT_FALSE(tip.Centered());
    tip.ForeColor(0);  // black, not applied by Create
    tip.TipText("Starts the quiz");
    tip.Title("Start");
    tip.Style(1);
    tip.Centered(true);
    tip.DelayTime(250);
    EXPECT_EQ(tips.calls, Calls{"InitCommonControls"});  // nothing exists yet
    EXPECT_FALSE(tip.Create(welcome));
    EXPECT_EQ(tips.calls,
              (Calls{"InitCommonControls", "CreateWindowExA tooltips_class32 style=0x43 -> 1",
                     "TTM_ADDTOOLA 1 size=44 flags=0x13 window=Welcome id=Welcome "
                     "text=Starts the quiz",
                     "TTM_SETTITLEA 1 icon=0 title=Start", "TTM_SETDELAYTIME 1 2 5000",
                     "TTM_SETDELAYTIME 1 3 250"}));
    tips.calls.clear();

    // A live tip: the title waits for an icon; the colours and the text go at once.
    tip.Title("Begin");
    EXPECT_EQ(tip.Title(), "Begin");
    tip.Icon(TTI_WARNING);
    tip.ForeColor(0);
    tip.BackColor(0xFFFFE1);
    tip.TipText("Starts the actual quiz");
    tip.VisibleTime(9000);  // for the next Create
    EXPECT_EQ(tips.calls, (Calls{"TTM_SETTITLEA 1 icon=2 title=Begin", "TTM_SETTIPTEXTCOLOR 1 0x0",
                                 "TTM_SETTIPBKCOLOR 1 0xffffe1",
                                 "TTM_UPDATETIPTEXTA 1 size=44 flags=0x13 window=Welcome "
                                 "id=Welcome text=Starts the actual quiz"}));
    const TooltipWindow& live = tips.windows().at(1);
    EXPECT_EQ(live.title, "Begin");
    EXPECT_EQ(live.icon, TTI_WARNING);
    EXPECT_EQ(live.tools.at(0).text, "Starts the actual quiz");
    EXPECT_EQ(live.initial_ms, 250);
    tips.calls.clear();

    // A second Create leaves one tip, on the new window, rectangular this time.
    tip.Style(2);
    tip.Centered(false);
    tip.Create(about);
    EXPECT_EQ(tips.calls,
              (Calls{"DestroyWindow 1", "CreateWindowExA tooltips_class32 style=0x3 -> 2",
                     "TTM_ADDTOOLA 2 size=44 flags=0x11 window=About1 id=About1 "
                     "text=Starts the actual quiz",
                     "TTM_SETTITLEA 2 icon=2 title=Begin", "TTM_SETTIPBKCOLOR 2 0xffffe1",
                     "TTM_SETDELAYTIME 2 2 9000", "TTM_SETDELAYTIME 2 3 250"}));
    ASSERT_EQ(tips.windows().size(), 1u);
    EXPECT_EQ(tips.windows().at(2).tools.at(0).window, "About1");
    tips.calls.clear();

    // Destroy forgets the window: no second destroy, and the end of the object none.
    tip.Destroy();
    tip.Destroy();
    EXPECT_EQ(tips.calls, Calls{"DestroyWindow 2"});
    tip.TipText("later");  // no tip to update
    EXPECT_EQ(tips.calls.size(), 1u);
    tip.Create(welcome);
    tips.calls.clear();
  }
  EXPECT_EQ(tips.calls, Calls{"DestroyWindow 3"});  // the end of the object
  EXPECT_TRUE(tips.windows().empty());
}

}  // namespace
}  // namespace pv::testing
