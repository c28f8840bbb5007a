#include "setup/wizard/record/record_list.h"

#include <gtest/gtest.h>

#include "setup/core/test_system.h"

namespace setup::wizard {
namespace {

using platform::target::RegistryPartSink;
using platform::target::RegistryRoot;
using platform::target::RegistryValue;
using platform::target::Status;
using platform::target::StreamedBatch;

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
const std::string kList = "Software\\Tallowmere\\kestroSetup\\Uninstall\\ABC\\UnFile";

class RecordListTest : public ::testing::Test {
 protected:
  // Writes the list afresh with files File1 ... File<files>, every third one
  // shared, and the given Count.
  void WriteList(int files, std::int64_t count) {
    const Status written = system_->registry().ApplyInParts([&](const RegistryPartSink& sink) {
      StreamedBatch out(sink, 64);
      RecordListWriter list(out, kList);
      for (int n = 1; n <= files; ++n) {
        list.Text("File", n, "C:\\App\\f" + std::to_string(n));
        list.Integer("Shared", n, n % 3 == 0 ? 1 : 0);
      }
      list.Count(count);
      return out.Finish();
    });
    ASSERT_TRUE(written.ok()) << written.ToString();
  }

  setup::testing::TestSystem system_;
};

TEST_F(RecordListTest, WhatTheWriterWritesInManyPartsTheReaderReads) {
  WriteList(1000, 1000);  // 2003 values: more than thirty parts
  const RecordList list(*system_, kList);
  ASSERT_EQ(list.Count(), 1000);
  EXPECT_EQ(list.Text("File", 1), "C:\\App\\f1");
  EXPECT_EQ(list.Text("FILE", 1000), "C:\\App\\f1000");  // names without regard to case
  EXPECT_EQ(list.Integer("Shared", 999, -1), 1);
  EXPECT_EQ(list.Integer("Shared", 998, -1), 0);
  EXPECT_EQ(list.Integer("Shared", 1001, -1), -1);
  EXPECT_EQ(list.Integer("File", 1, -1), -1);  // a text is no number
  RegistryValue value;
  ASSERT_TRUE(system_->registry().GetValue(kMachine, kList, "File12", &value).ok());
  ASSERT_TRUE(system_->registry().GetValue(kMachine, kList, "Count", &value).ok());
  EXPECT_EQ(value.AsDword(), 1000u);

  // Written afresh: the items of the longer list before are gone.
  WriteList(2, 2);
  const RecordList shorter(*system_, kList);
  EXPECT_EQ(shorter.Count(), 2);
  EXPECT_TRUE(system_->registry().GetValue(kMachine, kList, "File3", &value).IsNotFound());
}

TEST_F(RecordListTest, CountIsBoundedByTheItemsPresent) {
  WriteList(3, 2000000000);
  EXPECT_EQ(RecordList(*system_, kList).Count(), 3);
  WriteList(3, 2);
  EXPECT_EQ(RecordList(*system_, kList).Count(), 2);
  WriteList(3, -5);
  EXPECT_EQ(RecordList(*system_, kList).Count(), 0);
  EXPECT_EQ(RecordList(*system_, kList + "\\Missing").Count(), 0);
}

TEST_F(RecordListTest, AnItemIsFoundByItsOwnNameOnly) {
  // Hand-edited records: a number with a leading zero names no item, and a
  // field that ends in a digit is a field of its own.
  auto& registry = system_->registry();
  ASSERT_TRUE(registry.SetValue(kMachine, kList, RegistryValue::String("File01", "zero")).ok());
  ASSERT_TRUE(registry.SetValue(kMachine, kList, RegistryValue::String("File2", "two")).ok());
  ASSERT_TRUE(registry.SetValue(kMachine, kList, RegistryValue::String("Part12", "part")).ok());
  ASSERT_TRUE(registry.SetValue(kMachine, kList, RegistryValue::Dword("Count", 20)).ok());
  const RecordList list(*system_, kList);
  EXPECT_EQ(list.Count(), 12);
  EXPECT_EQ(list.Text("File", 1), "");
  EXPECT_EQ(list.Text("file", 2), "two");
  EXPECT_EQ(list.Text("Part", 12), "part");
  EXPECT_EQ(list.Text("Part1", 2), "part");
  EXPECT_EQ(list.Text("File", 2), "two");
  EXPECT_EQ(list.Text("Missing", 2), "");
}

TEST(RecordListFormatTest, ItemNamesAndNumbersAreInverse) {
  EXPECT_EQ(ListItemName("Shared", 42), "Shared42");
  EXPECT_EQ(ListItemNumber(ListItemName("Text", 65535)), 65535);
  EXPECT_EQ(ListItemNumber("File"), 0);
  EXPECT_EQ(ListItemNumber("12"), 0);  // a number alone names no field
  EXPECT_EQ(ListItemsToRead(7, 3), 3);
  EXPECT_EQ(ListItemsToRead(int64_t{1} << 40, int64_t{1} << 40), INT32_MAX);
}

}  // namespace
}  // namespace setup::wizard
