#pragma once
// Three doubles held by value: positions, velocities and forces of the
// particle engines and the colliding surfaces.
#include <cmath>

struct Vector3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  double length() const { return std::sqrt(x * x + y * y + z * z); }

  // Divides by the length in place; a zero or not-a-number length leaves the
  // vector as it is, so coincident points give no direction at all.
  void normalize() {
    const double l = length();
    if (l == 0.0 || std::isnan(l)) return;
    x /= l;
    y /= l;
    z /= l;
  }

  Vector3& operator+=(const Vector3& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
  }
  Vector3& operator-=(const Vector3& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
  }
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator*(const Vector3& v, double s) { return {v.x * s, v.y * s, v.z * s}; }
inline Vector3 operator/(const Vector3& v, double s) { return {v.x / s, v.y / s, v.z / s}; }
inline double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline bool operator==(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
