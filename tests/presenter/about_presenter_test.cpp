// The About box's decisions over a recording view.

#include "presenter/about_presenter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "forms/about_form_design.h"
#include "forms/form_design.h"
#include "presenter/product_info.h"

namespace velmaric::testing {
namespace {

using A = About_Control;

class Recording_About_View final : public About_View {
 public:
  void Set_Text(About_Control control, const std::string& text) override { texts[control] = text; }
  void Start_Timer(About_Timer timer, std::int64_t interval_us) override {
    armed[timer] = interval_us;
  }
  void Stop_Timer(About_Timer timer) override { armed.erase(timer); }
  void Animate_Logo(bool on) override { animated = on; }
  void Close() override { ++closed; }

  std::map<About_Control, std::string> texts;
  std::map<About_Timer, std::int64_t> armed;
  bool animated = false;
  int closed = 0;
};

class About_Presenter_Test : public ::testing::Test {
 protected:
  About_Services Services() {
    return {[this](const std::string& target) { opened.push_back(target); },
            [this] { return memory; }, [this] { return executable; }};
  }

  Recording_About_View view;
  std::vector<std::string> opened;
  Memory_Status memory{42, 0, 0, 0, 0};
  std::string executable = "/opt/velmaric/velmaric";
};

TEST_F(About_Presenter_Test, OpeningFillsTextsPicksAQuotationAndRunsTimersUntilOk) {
  About_Presenter about(Services(), view);
  EXPECT_EQ(view.texts[A::AboutBox], "About Velmaric ...");
  EXPECT_TRUE(view.armed.empty());
  about.FormActivate();
  EXPECT_EQ(view.texts[A::ProductName], "Velmaric");
  EXPECT_EQ(view.texts[A::Email_Address_Label], product_info::email_address);
  EXPECT_EQ(view.texts[A::WEB_Address_Label], product_info::web_address);
  EXPECT_EQ(view.texts[A::Label4], "42%");
  EXPECT_EQ(view.armed[About_Timer::Quote_Change_Timer], 10'000'000);
  EXPECT_EQ(view.armed[About_Timer::Free_Resources_Timer], 500'000);
  EXPECT_TRUE(view.animated);

  const forms::Control_Design* list =
      forms::Find_Control(forms::About_Form(), "Quotes_From_Karvo_ListBox");
  ASSERT_NE(list, nullptr);
  const std::set<std::string> quotations(list->items, list->items + list->item_count);
  std::set<std::string> seen;
  for (int tick = 0; tick < 200; ++tick) {
    about.Quote_Change_TimerTimer();
    ASSERT_EQ(quotations.count(view.texts[A::Quote_From_Karvo_Label]), 1U);
    seen.insert(view.texts[A::Quote_From_Karvo_Label]);
  }
  EXPECT_GT(seen.size(), 1U);

  memory = {0, 1000 * 1024, 250 * 1024, 1000 * 1024, 750 * 1024};
  about.Free_Resources_TimerTimer();
  EXPECT_EQ(view.texts[A::Label4], "50%");

  about.OKButtonClick();
  EXPECT_TRUE(view.armed.empty());
  EXPECT_FALSE(view.animated);
  EXPECT_EQ(view.closed, 1);
}

TEST_F(About_Presenter_Test, LinksOpenTheWebPageAndAMailWhoseSubjectAddsNoField) {
  About_Presenter about(Services(), view);
  about.WEB_ButtonClick();
  executable = "/tmp/vel&cc=evil@example.com&body=x\ny#z";
  about.Email_ButtonClick();
  EXPECT_EQ(opened,
            (std::vector<std::string>{
                product_info::web_address,
                std::string("mailto:") + product_info::email_address +
                    "?subject=Shareware:%20vel%26cc%3Devil%40example.com%26body%3Dx%0Ay%23z"}));
}

TEST(Percent_Encoded, KeepsUnreservedBytesAndThoseAskedFor) {
  struct Row {
    const char* text;
    const char* keep;
    const char* encoded;
  };
  for (const Row& row : {Row{"a-Z_0.9~", "", "a-Z_0.9~"}, Row{"a b:c", "", "a%20b%3Ac"},
                         Row{"a b:c", ":", "a%20b:c"}, Row{"\xC3\xA9/%", "", "%C3%A9%2F%25"}}) {
    EXPECT_EQ(Percent_Encoded(row.text, row.keep), row.encoded) << row.text;
  }
}

}  // namespace
}  // namespace velmaric::testing
