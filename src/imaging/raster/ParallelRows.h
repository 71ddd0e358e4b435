#pragma once
// Splits a row range into two bands processed on two threads. Only for work whose result does
// not depend on the order in which rows are handled.
#include <thread>

namespace kalvo {

// Calls work(begin, end) for [0, rows) split in two bands, the upper one on a second thread
// when there are at least minRows rows; otherwise once on the calling thread.
template <typename Work>
void ParallelRows(int rows, int minRows, Work&& work)
{
    if (rows < minRows || rows < 2 || std::thread::hardware_concurrency() < 2) {
        work(0, rows);
        return;
    }
    const int middle = rows / 2;
    std::thread upper([&] { work(0, middle); });
    work(middle, rows);
    upper.join();
}

} // namespace kalvo
