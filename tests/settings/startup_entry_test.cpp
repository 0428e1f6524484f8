// The start-up entry's logic against a store of its own: on both systems.

#include <gtest/gtest.h>

#include "settings/startup_entry_fixture.h"

namespace velmaric {
namespace {

// A store that keeps only the first 8 characters and never deletes.
class Lossy_Registry final : public Startup_Registry {
 public:
  std::string Key_Text() const override { return "/lossy"; }
  bool Key_Exists() const override { return true; }
  void Write_String(const std::string&, const std::string& text) override {
    kept_ = text.substr(0, 8);
  }
  std::string Read_String(const std::string&) const override { return kept_; }
  void Delete_Value(const std::string&) override {}
  bool Value_Exists(const std::string&) const override { return !kept_.empty(); }

 private:
  std::string kept_;
};

TEST(Startup_Entry_Logic, ValueThatReadsBackDifferentOrStaysIsReported) {
  Lossy_Registry lossy;
  EXPECT_EQ(Click_Both_Ways(lossy), "011|Error:" + Error_Text(not_saved, "/lossy", true) +
                                        "|Error:" + Error_Text(not_removed, "/lossy", false) +
                                        "|Warning:" + Prompt("/opt/a b") +
                                        "|Error:" + Error_Text(not_saved, "/lossy", true));
}

}  // namespace
}  // namespace velmaric
