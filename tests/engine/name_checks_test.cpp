#include "engine/name_checks.h"

#include <gtest/gtest.h>

#include "support/recording_messages.h"
#include "support/test_text.h"

namespace tessaline::engine {
namespace {

using testing::utf8;

constexpr std::u16string_view kForbiddenText =
    u"Windows does not allow to use specific characters in file names, please remove any of "
    u"those: \\ / : * ? \" < > |";

struct Row {
  std::u16string_view text;
  bool useSpecialStrings;
  std::u16string_view message;  // empty: the text passes
};

constexpr Row kRows[] = {
    {u"plain name", true, u""},
    {u"a%5%b", true, u""},
    {u"%abc%", true, u""},  // three or more code units stay as typed
    {u"%100%", true, u""},
    {u"%-3%x%+7%", true, u""},
    {u"100%", true, u""},  // a lone "%" starts no random text
    {u"%%%5%", true, u""},
    {u"a%x%", true, u"The random string digits(x) is not an integer."},
    {u"%5%%x%", true, u"The random string digits(x) is not an integer."},
    {u"a%101%", true, u"101 is too big. Max random string digits is 100."},
    {u"%99999999999999999999%", true,
     u"99999999999999999999 is too big. Max random string digits is 100."},
    {u"a%x%", false, u""},
    {u"a/b", true, kForbiddenText},
    {u"a\"b", false, kForbiddenText},
    {u"C:name", false, kForbiddenText},
    {u"two\nlines", false, kForbiddenText},
    {u"tab\there", false, kForbiddenText},
    // The random specs are checked first.
    {u"%x%/", true, u"The random string digits(x) is not an integer."},
};

TEST(CheckNameText, AcceptsOrExplainsWhy) {
  const config::LanguageTable language;
  for (const Row& row : kRows) {
    SCOPED_TRACE(utf8(row.text));
    testing::RecordingMessages messages;
    const bool passed = checkNameText(messages, language, row.text, row.useSpecialStrings);
    EXPECT_EQ(passed, row.message.empty());
    if (row.message.empty()) {
      EXPECT_TRUE(messages.boxes().empty());
    } else {
      ASSERT_EQ(messages.boxes().size(), 1u);
      EXPECT_EQ(messages.boxes()[0].caption, u"Information");
      EXPECT_EQ(messages.boxes()[0].text, row.message);
    }
  }
}

}  // namespace
}  // namespace tessaline::engine
