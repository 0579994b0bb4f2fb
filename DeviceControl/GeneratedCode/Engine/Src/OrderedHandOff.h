#pragma once

#include <mutex>
#include <utility>
#include <vector>

// OrderedHandOff: items gathered by any thread, handed on oldest first with
// no lock held while they are handed on. One thread hands off at a time; a
// thread that finds another one doing so leaves its items to that one, so
// the order in which items were added is the order in which they go out.
template <class Item>
class OrderedHandOff {
 public:
  void Add(Item item) {
    std::lock_guard lock(mLock);
    mItems.push_back(std::move(item));
  }
  // Adds an item made in place by fill (which must not call out).
  template <class Fill>
  void AddMade(Fill&& fill) {
    std::lock_guard lock(mLock);
    fill(mItems.emplace_back());
  }

  // Hands every item to deliver until none is left, unless another thread is
  // handing off already. What deliver throws leaves the items not yet handed
  // on for the next call.
  template <class Deliver>
  void HandOff(Deliver&& deliver) {
    {
      std::lock_guard lock(mLock);
      if (mHandingOff || mItems.empty()) return;
      mHandingOff = true;
      mOut.swap(mItems);
    }
    try {
      for (;;) {
        for (size_t i = 0; i < mOut.size(); ++i) {
          try {
            deliver(mOut[i]);
          } catch (...) {
            PutBack(i + 1);
            throw;
          }
        }
        mOut.clear();  // keeps its storage for the next round
        std::lock_guard lock(mLock);
        if (mItems.empty()) {
          mHandingOff = false;
          return;
        }
        mOut.swap(mItems);
      }
    } catch (...) {
      std::lock_guard lock(mLock);
      mHandingOff = false;
      throw;
    }
  }

 private:
  // The items from first on go back in front of those added meanwhile.
  void PutBack(size_t first) {
    std::lock_guard lock(mLock);
    mOut.erase(mOut.begin(), mOut.begin() + static_cast<std::ptrdiff_t>(first));
    for (Item& item : mItems) mOut.push_back(std::move(item));
    mItems.swap(mOut);
    mOut.clear();
  }

  std::mutex mLock;  // guards the two members below
  std::vector<Item> mItems;
  bool mHandingOff = false;
  std::vector<Item> mOut;  // the round being handed off; the hand-off thread's only
};
