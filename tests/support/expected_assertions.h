// Assertions on Expected results that show the reason when they fail.
#pragma once

#include <gtest/gtest.h>

#include "text/expected.h"

namespace pixdeck::test {

// Success, or a failure that carries the result's reason:
// ASSERT_TRUE(Succeeded(ReplaceFileAtomically(path, text))).
template <typename T>
::testing::AssertionResult Succeeded(const Expected<T>& result) {
  if (result) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << result.error();
}

}  // namespace pixdeck::test
