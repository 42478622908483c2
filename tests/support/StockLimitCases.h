#pragma once

#include <vector>

// Stock totals met with a limit of the register (库存低限, 库存高限): limits that a binary
// fraction holds only nearly (1.1 is kept in its single-precision field as 1.10000002) and
// whole ones, each with a total at the limit and one ten-thousandth, the store's last
// decimal, below and above it.
struct StockLimitCase {
    double limit; // as typed
    double total;
    int side; // -1 below the limit, 0 at it, 1 above it
};

inline std::vector<StockLimitCase> stockLimitCases()
{
    std::vector<StockLimitCase> cases;
    for (double limit : {0.1, 1.1, 9.3, 2.675, 2.0, 5000.0})
        for (int side : {-1, 0, 1})
            cases.push_back({limit, limit + side * 0.0001, side});
    return cases;
}

// The limit as the registers write it, through a single-precision number.
inline double registerLimit(double typed)
{
    return static_cast<double>(static_cast<float>(typed));
}
