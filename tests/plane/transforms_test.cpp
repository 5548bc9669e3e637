#include "plane/transforms.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>

namespace plane {
namespace {

constexpr double HalfPi = 1.5707963267948966;
constexpr double SixthPi = 0.5235987755982989;

TEST(Transforms, RotationByZeroIsTheIdentity)
{
    const TMatrix3 identity = RotationMatrix(0.0);
    for (int r = 0; r < 3; ++r) {
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(identity.m[r][j], r == j ? 1.0 : 0.0) << r << ", " << j;
    }
    const TVector3 point = MultiplyPoint({ 2, 4, 2 }, identity);
    EXPECT_EQ(point.x, 1.0);
    EXPECT_EQ(point.y, 2.0);
    EXPECT_EQ(point.w, 2.0);
}

struct TurnCase {
    const char* name;
    TVector3 point;
    double angle;
    TVector3 expected;
};

void PrintTo(const TurnCase& row, std::ostream* out)
{
    *out << row.name;
}

const TurnCase TurnCases[] = {
    { "UpBecomesRight", { 0, 1, 1 }, -HalfPi, { 1, 0, 1 } },
    { "UpTurnsThirtyDegreesClockwise", { 0, 1, 1 }, -SixthPi, { 0.5, 0.8660254037844387, 1 } },
    { "RightBecomesUp", { 1, 0, 1 }, HalfPi, { 0, 1, 1 } },
    { "HalfTurn", { 3, -2, 1 }, 2 * HalfPi, { -3, 2, 1 } },
    { "HomogeneousPoint", { 0, 4, 2 }, -HalfPi, { 2, 0, 2 } },
};

class Turn : public testing::TestWithParam<TurnCase> { };

TEST_P(Turn, TurnsAboutTheOrigin)
{
    const TurnCase& row = GetParam();
    const TVector3 turned = MultiplyPoint(row.point, RotationMatrix(row.angle));
    EXPECT_NEAR(turned.x, row.expected.x, 1e-15);
    EXPECT_NEAR(turned.y, row.expected.y, 1e-15);
    EXPECT_EQ(turned.w, row.expected.w);
}

INSTANTIATE_TEST_SUITE_P(Transforms, Turn, testing::ValuesIn(TurnCases),
    [](const testing::TestParamInfo<TurnCase>& info) { return info.param.name; });

// The product written out for a rotation: (x cos a - y sin a, x sin a + y cos a, w), x and
// y then divided by w. Adding the zero products changes no value, so it is exact.
TEST(Transforms, RotationAgreesWithTheDirectFormula)
{
    const TVector3 points[]
        = { { 0.3, -0.7, 1 }, { -12.5, 3.25, 1 }, { 1e-3, 1e5, 4 }, { -0.1, -0.2, 0.5 } };
    for (const double angle : { -HalfPi, -SixthPi, 0.1, 1.0, 2.5, -3.0, 100.0 }) {
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        for (const TVector3& p : points) {
            SCOPED_TRACE(
                testing::Message() << "angle " << angle << ", point " << p.x << ", " << p.y);
            const TVector3 turned = MultiplyPoint(p, RotationMatrix(angle));
            EXPECT_EQ(turned.x, (p.x * c - p.y * s) / p.w);
            EXPECT_EQ(turned.y, (p.x * s + p.y * c) / p.w);
            EXPECT_EQ(turned.w, p.w);
        }
    }
}

// Points are rows multiplied from the left: the unit points pick out the matrix rows.
TEST(Transforms, PointIsARowVector)
{
    TMatrix3 m;
    double value = 1.0;
    for (auto& row : m.m) {
        for (double& element : row)
            element = value++;
    }
    const TVector3 first = MultiplyPoint({ 1, 0, 0 }, m);
    EXPECT_EQ(first.x, 1.0 / 3.0);
    EXPECT_EQ(first.y, 2.0 / 3.0);
    EXPECT_EQ(first.w, 3.0);
    const TVector3 sum = MultiplyPoint({ 1, 1, 1 }, m);
    EXPECT_EQ(sum.x, 12.0 / 18.0);
    EXPECT_EQ(sum.y, 15.0 / 18.0);
    EXPECT_EQ(sum.w, 18.0);
}

struct FaultCase {
    const char* name;
    TVector3 point;
    TMatrix3 matrix;
    fpu::Fault fault;
};

void PrintTo(const FaultCase& row, std::ostream* out)
{
    *out << row.name;
}

constexpr double Huge = 1e308;
const TMatrix3 TenfoldX { { { 10, 10, 0 }, { 10, 10, 0 }, { 0, 0, 1 } } };

const FaultCase FaultCases[] = {
    { "PartialSumOverflows", { 1.5e308, 1.5e308, 1 }, RotationMatrix(-SixthPi),
        fpu::Fault::Overflow },
    // The first product overflows; the NaN that the infinities make later is not what counts.
    { "OverflowBeforeTheNaNItLeadsTo", { Huge, -Huge, 1 }, TenfoldX, fpu::Fault::Overflow },
    { "NotANumber", { std::numeric_limits<double>::quiet_NaN(), 0, 1 }, RotationMatrix(0.0),
        fpu::Fault::InvalidOperation },
    { "ZeroW", { 1, 2, 0 }, RotationMatrix(0.0), fpu::Fault::DivisionByZero },
    { "ZeroOverZero", { 0, 0, 0 }, RotationMatrix(0.0), fpu::Fault::InvalidOperation },
    { "QuotientOverflows", { Huge, 0, 1e-10 }, RotationMatrix(0.0), fpu::Fault::Overflow },
};

class ProductFault : public testing::TestWithParam<FaultCase> { };

TEST_P(ProductFault, FirstFaultInTheOrderOfTheSums)
{
    const FaultCase& row = GetParam();
    try {
        MultiplyPoint(row.point, row.matrix);
        FAIL() << "no fault raised";
    } catch (const fpu::FloatingPointError& error) {
        EXPECT_EQ(error.fault(), row.fault);
    }
}

INSTANTIATE_TEST_SUITE_P(Transforms, ProductFault, testing::ValuesIn(FaultCases),
    [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

} // namespace
} // namespace plane
