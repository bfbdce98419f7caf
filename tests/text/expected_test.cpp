#include "text/expected.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pixdeck {
namespace {

Expected<int> Half(int n) {
  if (n % 2 != 0) {
    return Unexpected("odd: " + std::to_string(n));
  }
  return n / 2;
}

Expected<void> Check(bool good) {
  if (!good) {
    return Unexpected("not good");
  }
  return {};
}

TEST(Expected, CarriesTheValueOrTheReason) {
  const Expected<int> half = Half(8);
  ASSERT_TRUE(half);
  EXPECT_EQ(*half, 4);
  EXPECT_EQ(half.value_or(-1), 4);

  const Expected<int> odd = Half(7);
  ASSERT_FALSE(odd.has_value());
  EXPECT_EQ(odd.error(), "odd: 7");
  EXPECT_EQ(odd.value_or(-1), -1);
  EXPECT_THROW((void)odd.value(), BadExpectedAccess);
}

TEST(Expected, AStringValueAndAStringReasonStayApart) {
  const Expected<std::string> value = std::string("value");
  const Expected<std::string> failure = Unexpected("reason");
  ASSERT_TRUE(value);
  EXPECT_EQ(*value, "value");
  ASSERT_FALSE(failure);
  EXPECT_EQ(failure.error(), "reason");
  EXPECT_EQ(failure.value_or("fallback"), "fallback");
}

TEST(Expected, AValueThatOnlyMovesIsHandedOver) {
  Expected<std::unique_ptr<int>> made = std::make_unique<int>(5);
  ASSERT_TRUE(made);
  const std::unique_ptr<int> taken = std::move(made).value();
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(*taken, 5);
}

TEST(Expected, TheVoidResultTellsDoneOrWhyNot) {
  EXPECT_TRUE(Check(true));
  EXPECT_NO_THROW(Check(true).value());
  const Expected<void> failed = Check(false);
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error(), "not good");
  EXPECT_THROW(failed.value(), BadExpectedAccess);
}

struct Kind {
  int code = 0;
  std::string reason;
};

TEST(Expected, AReasonMayBeAStructure) {
  const Expected<int, Kind> failed = Unexpected(Kind{2, "two"});
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().code, 2);
  EXPECT_EQ(failed.error().reason, "two");
}

}  // namespace
}  // namespace pixdeck
