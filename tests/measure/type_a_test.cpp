// Type A lines of repeated readings, their effective degrees of freedom and
// the coverage factor from Student's t.
#include "measure/type_a.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace orlavex::measure {
namespace {

TEST(TypeA, StudentTMatchesThePrintedTable) {
    // Two-sided 95 % points as printed in statistical tables (GUM table G.2).
    struct Row {
        double nu, t;
    };
    const Row table[] = {{1, 12.706}, {2, 4.303},  {3, 3.182},   {4, 2.776},   {5, 2.571},
                         {6, 2.447},  {7, 2.365},  {8, 2.306},   {9, 2.262},   {10, 2.228},
                         {15, 2.131}, {20, 2.086}, {25, 2.060},  {30, 2.042},  {40, 2.021},
                         {60, 2.000}, {99, 1.984}, {100, 1.984}, {120, 1.980}, {1000, 1.962},
                         {1e7, 1.960}};
    for (const Row& row : table) {
        EXPECT_NEAR(student_t95(row.nu), row.t, 5e-4) << "nu = " << row.nu;
    }
    // Fractional degrees of freedom are truncated; fewer than one count as one.
    EXPECT_DOUBLE_EQ(student_t95(4.99), student_t95(4));
    EXPECT_DOUBLE_EQ(student_t95(0.3), student_t95(1));
    EXPECT_NEAR(student_t95(std::numeric_limits<double>::infinity()), 1.95996, 1e-5);
    // The closed form below a hundred and the expansion from it meet without a step.
    EXPECT_GT(student_t95(99), student_t95(100));
    EXPECT_LT(student_t95(99) - student_t95(100), 5e-4);
}

TEST(TypeA, TheLineIsTheDeviationOfTheMeanOfTheLogarithms) {
    // ln P = 0, 0.02, 0.04: mean 0.02, s = 0.02, s / sqrt(3).
    const std::vector<double> powers{1, std::exp(0.02), std::exp(0.04)};
    const TypeALine line = type_a_line("jitter_meas_on", powers);
    EXPECT_NEAR(line.u, 0.02 / std::sqrt(3.0), 1e-15);
    EXPECT_EQ(line.dof, 2);
    EXPECT_EQ(line.source, "jitter_meas_on");
}

Budget two_lines() {
    Budget b;
    b.valid = true;
    b.lines = {{"enr", 0.1, 1.0, 0.1, 0, Sensitivity::central, {}},
               {"jitter_meas_on", 0.5, 0.2, 0.1, 0, Sensitivity::central, {}}};
    return b;
}

TEST(TypeA, WelchSatterthwaiteGivesTheCoverageFactor) {
    struct Case {
        const char* why;
        double u;  // Type A uncertainty of jitter_meas_on (natural log)
        double dof;
        double u_c_db;  // worked by hand
        double nu_eff;
    };
    const Case cases[] = {
        // u_i = 0.2 * 0.5 = 0.1 beside the Type B 0.1: nu = (0.02)^2 / (1e-4 / 4) = 16.
        {"equal shares", 0.5, 4, std::sqrt(0.02), 16},
        // u_i = 0.2 * 1.5 = 0.3: u_c^2 = 0.1, nu = 0.1^2 / (0.3^4 / 9) = 11.1.
        {"Type A dominates", 1.5, 9, std::sqrt(0.1), 0.01 / (0.0081 / 9)},
        {"no scatter", 0, 9, 0.1, std::numeric_limits<double>::infinity()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const TypeALine line{"jitter_meas_on", c.u, c.dof};
        const AssessedBudget a = with_type_a(two_lines(), {&line, 1});
        EXPECT_NEAR(a.budget.u_c_db, c.u_c_db, 1e-12);
        EXPECT_EQ(a.budget.lines[1].u, c.u);
        EXPECT_NEAR(a.budget.lines[0].share + a.budget.lines[1].share, 1, 1e-12);
        if (std::isinf(c.nu_eff)) {
            EXPECT_TRUE(std::isinf(a.nu_eff));
        } else {
            EXPECT_NEAR(a.nu_eff, c.nu_eff, 1e-9);
        }
        EXPECT_DOUBLE_EQ(a.budget.k, student_t95(c.nu_eff));
        EXPECT_DOUBLE_EQ(a.budget.U_db, a.budget.k * a.budget.u_c_db);
    }
}

TEST(TypeA, ScatterWithoutSensitivityLeavesNoBudget) {
    Budget b = two_lines();
    b.lines[1].c = std::numeric_limits<double>::quiet_NaN();
    const TypeALine line{"jitter_meas_on", 0.01, 9};
    EXPECT_FALSE(with_type_a(b, {&line, 1}).budget.valid);
}

}  // namespace
}  // namespace orlavex::measure
