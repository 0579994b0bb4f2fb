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

  // Hands every item to deliver until none is left, unless another thread is
  // handing off already. What deliver throws leaves the items not yet handed
  // on for the next call.
  template <class Deliver>
  void HandOff(Deliver&& deliver) {
    {
      std::lock_guard lock(mLock);
      if (mHandingOff || mItems.empty()) return;
      mHandingOff = true;
    }
    try {
      for (;;) {
        std::vector<Item> items;
        {
          std::lock_guard lock(mLock);
          if (mItems.empty()) {
            mHandingOff = false;
            return;
          }
          items.swap(mItems);
        }
        for (size_t i = 0; i < items.size(); ++i) {
          try {
            deliver(items[i]);
          } catch (...) {
            PutBack(items, i + 1);
            throw;
          }
        }
      }
    } catch (...) {
      std::lock_guard lock(mLock);
      mHandingOff = false;
      throw;
    }
  }

 private:
  // The items from first on go back in front of those added meanwhile.
  void PutBack(std::vector<Item>& items, size_t first) {
    std::lock_guard lock(mLock);
    items.erase(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(first));
    for (Item& item : mItems) items.push_back(std::move(item));
    mItems.swap(items);
  }

  std::mutex mLock;  // guards the two members below
  std::vector<Item> mItems;
  bool mHandingOff = false;
};
