// A clean settings state for each test: the store's variables at their start
// values, and the per-user config folder (home of the POSIX registry store)
// pointed at a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "scratch_dir.h"

namespace pixdeck::test {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The per-user registry store's file.
  std::string RegistryStoreFile() const;

  ScratchDir dir_;
  ScratchDir config_;

 private:
  std::optional<std::string> savedConfigHome_;
};

}  // namespace pixdeck::test
