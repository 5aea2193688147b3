#include <gtest/gtest.h>

#include <cmath>

#include "sim/vector3.h"

namespace {

TEST(Vector3, ArithmeticLengthAndNormalize) {
  const Vector3 a{1.0, 2.0, 2.0};
  EXPECT_EQ(a - (Vector3{0.5, -1.0, 4.0} * 2.0), (Vector3{0.0, 4.0, -6.0}));
  EXPECT_EQ(dot(a, (Vector3{0.5, -1.0, 4.0})), 6.5);
  EXPECT_EQ(a.length(), 3.0);
  Vector3 n{0.0, 3.0, 4.0};
  n.normalize();
  EXPECT_EQ(n, (Vector3{0.0, 0.6, 0.8}));
  // Without a direction the vector stays as it was.
  Vector3 zero;
  zero.normalize();
  EXPECT_EQ(zero, (Vector3{}));
  Vector3 broken{NAN, 1.0, 0.0};
  broken.normalize();
  EXPECT_EQ(broken.y, 1.0);
}

}  // namespace
