#include "framework/FolderPath.h"

#include <gtest/gtest.h>

namespace
{

TEST(FolderPath, DropsEveryTrailingSlashButKeepsTheRoot)
{
  EXPECT_EQ(WithoutTrailingSlashes("/home/user///"), "/home/user");
  EXPECT_EQ(WithoutTrailingSlashes("C:/Users/Public/Documents/"), "C:/Users/Public/Documents");
  EXPECT_EQ(WithoutTrailingSlashes("/home/user"), "/home/user");
  EXPECT_EQ(WithoutTrailingSlashes("///"), "/");
  EXPECT_EQ(WithoutTrailingSlashes(""), "");
}

}  // namespace
