#include "platform/random.hpp"

#include <gtest/gtest.h>

#include "support/fake_services.hpp"

namespace pv {
namespace {

TEST(Random, FollowsTheRuntimesSequenceAndStaysBelowOne) {
  FakeClock clock;
  VbRandom r(clock);
  EXPECT_FLOAT_EQ(r.rnd(), 0.7055475f);
  EXPECT_FLOAT_EQ(r.rnd(), 0.533424f);
  EXPECT_FLOAT_EQ(r.rnd(), 0.5795186f);
  for (int i = 0; i < 100000; ++i) {
    const float x = r.rnd();
    ASSERT_GE(x, 0.0f);
    ASSERT_LT(x, 1.0f);
  }
}

TEST(Random, RandomizeReseedsFromTheNumberOrTheTimer) {
  FakeClock clock;
  VbRandom a(clock), b(clock);
  a.randomize(12345.0);
  b.randomize(12345.0);
  EXPECT_EQ(a.rnd(), b.rnd());
  VbRandom c(clock);
  c.randomize(54321.0);
  EXPECT_NE(c.state(), a.state());
  VbRandom d(clock);
  d.randomize();
  VbRandom e(clock);
  e.randomize(clock.timer());
  EXPECT_EQ(d.state(), e.state());
}

}  // namespace
}  // namespace pv
