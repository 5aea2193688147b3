// Every caption is its role word followed by the person the closing scroll
// credits for that role.
#include <gtest/gtest.h>

#include <string>

#include "scenes/credits.h"

TEST(Credits, CaptionsNameThePeopleOfTheirRoles) {
  EXPECT_EQ(std::string(codeCaption), std::string("code ") + codeHandle);
  EXPECT_EQ(std::string(graphicsCaption), std::string("gfx ") + graphicsName);
  EXPECT_EQ(std::string(texturesCaption), std::string("textures ") + texturesHandle);
  EXPECT_EQ(std::string(musicCaption), std::string("music ") + musicName);
  EXPECT_EQ(std::string(designCaption), std::string("design ") + codeHandle);
}
