// Fixed-size numeric vector: positions, normals, colours, texture coordinates and sizes.
// The components are stored contiguously, so data() can go straight to OpenGL calls that
// take a pointer to N values.
// Depends on: nothing.
#pragma once

#include <cmath>
#include <type_traits>

template <typename T, int N>
class Vector {
  static_assert(N >= 2 && N <= 4, "vectors hold two to four components");

 public:
  constexpr Vector() : values{} {}
  template <typename... Components, typename = std::enable_if_t<sizeof...(Components) == N>>
  constexpr Vector(Components... components) : values{static_cast<T>(components)...} {}

  constexpr T& operator[](int i) { return values[i]; }
  constexpr const T& operator[](int i) const { return values[i]; }
  T* data() { return values; }
  const T* data() const { return values; }

  constexpr T& x() { return values[0]; }
  constexpr T& y() { return values[1]; }
  constexpr T& z() {
    static_assert(N >= 3, "no z component");
    return values[2];
  }
  constexpr T& w() {
    static_assert(N >= 4, "no w component");
    return values[3];
  }
  constexpr const T& x() const { return values[0]; }
  constexpr const T& y() const { return values[1]; }
  constexpr const T& z() const {
    static_assert(N >= 3, "no z component");
    return values[2];
  }
  constexpr const T& w() const {
    static_assert(N >= 4, "no w component");
    return values[3];
  }

  constexpr Vector& operator+=(const Vector& other) {
    for (int i = 0; i < N; ++i) values[i] += other.values[i];
    return *this;
  }
  constexpr Vector& operator-=(const Vector& other) {
    for (int i = 0; i < N; ++i) values[i] -= other.values[i];
    return *this;
  }
  constexpr Vector& operator*=(T scale) {
    for (int i = 0; i < N; ++i) values[i] *= scale;
    return *this;
  }
  friend constexpr Vector operator+(Vector a, const Vector& b) { return a += b; }
  friend constexpr Vector operator-(Vector a, const Vector& b) { return a -= b; }
  friend constexpr Vector operator*(Vector a, T scale) { return a *= scale; }
  friend constexpr Vector operator*(T scale, Vector a) { return a *= scale; }
  constexpr Vector operator-() const { return *this * static_cast<T>(-1); }

  friend constexpr bool operator==(const Vector& a, const Vector& b) {
    for (int i = 0; i < N; ++i) {
      if (a.values[i] != b.values[i]) return false;
    }
    return true;
  }
  friend constexpr bool operator!=(const Vector& a, const Vector& b) { return !(a == b); }

  constexpr T dot(const Vector& other) const {
    T sum = 0;
    for (int i = 0; i < N; ++i) sum += values[i] * other.values[i];
    return sum;
  }
  constexpr Vector cross(const Vector& other) const {
    static_assert(N == 3, "the cross product is defined for three components");
    return Vector(values[1] * other.values[2] - values[2] * other.values[1],
                  values[2] * other.values[0] - values[0] * other.values[2],
                  values[0] * other.values[1] - values[1] * other.values[0]);
  }
  float length() const { return std::sqrt(static_cast<float>(dot(*this))); }

  // Unit length in the same direction; a zero vector stays zero rather than turning to NaN.
  void normalise() {
    static_assert(std::is_floating_point_v<T>, "only floating-point vectors can be normalised");
    const float len = length();
    if (len == 0.0f) return;
    for (int i = 0; i < N; ++i) values[i] /= static_cast<T>(len);
  }
  Vector normalised() const {
    Vector result = *this;
    result.normalise();
    return result;
  }

 private:
  T values[N];
};

using Vector2f = Vector<float, 2>;
using Vector3f = Vector<float, 3>;
using Vector4f = Vector<float, 4>;
using Vector3i = Vector<int, 3>;
using Vector4i = Vector<int, 4>;
