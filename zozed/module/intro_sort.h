// An introspective sort whose small-piece threshold is 32 elements: a range of at most 32 is
// sorted by insertion and keeps equal elements in their order; a longer one is partitioned
// until its pieces are that small, with a heap sort when partitioning goes too deep.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <iterator>
#include <utility>

namespace zozed {

inline constexpr std::ptrdiff_t kInsertionSortMax = 32;

namespace intro_sort_detail {

template <class It, class Less>
void insertion_sort(It first, It last, Less& less) {
  if (first == last) return;
  for (It next = std::next(first); next != last; ++next) {
    auto value = std::move(*next);
    It hole = next;
    // Strictly less only: an equal element stays behind the ones before it.
    for (It prev = std::prev(hole); less(value, *prev); --prev) {
      *hole = std::move(*prev);
      hole = prev;
      if (prev == first) break;
    }
    *hole = std::move(value);
  }
}

template <class It, class Less>
void order_three(It a, It b, It c, Less& less) {
  if (less(*b, *a)) std::iter_swap(a, b);
  if (less(*c, *b)) {
    std::iter_swap(b, c);
    if (less(*b, *a)) std::iter_swap(a, b);
  }
}

// Splits [first, last) (more than two elements) around a median-of-three pivot and answers
// the pivot's final place: nothing before it is greater, nothing after it is less.
template <class It, class Less>
It split_at_pivot(It first, It last, Less& less) {
  const It mid = first + (last - first) / 2;
  const It back = std::prev(last);
  intro_sort_detail::order_three(first, mid, back, less);
  std::iter_swap(first, mid);  // the pivot waits at the front; *back bounds the upward scan
  It i = std::next(first);
  It j = back;
  for (;;) {
    while (less(*i, *first)) ++i;
    while (less(*first, *j)) --j;
    if (!(i < j)) break;
    std::iter_swap(i, j);
    ++i;
    --j;
  }
  std::iter_swap(first, j);
  return j;
}

}  // namespace intro_sort_detail

// `depth_limit` counts the partitioning levels allowed before a piece is heap-sorted.
template <class It, class Less>
void intro_sort(It first, It last, Less less, int depth_limit) {
  while (last - first > kInsertionSortMax) {
    if (depth_limit-- <= 0) {
      std::make_heap(first, last, less);
      std::sort_heap(first, last, less);
      return;
    }
    const It pivot = intro_sort_detail::split_at_pivot(first, last, less);
    // The smaller side recursively keeps the stack shallow; the larger one loops.
    if (pivot - first < last - pivot) {
      intro_sort(first, pivot, less, depth_limit);
      first = std::next(pivot);
    } else {
      intro_sort(std::next(pivot), last, less, depth_limit);
      last = pivot;
    }
  }
  intro_sort_detail::insertion_sort(first, last, less);
}

template <class It, class Less>
void intro_sort(It first, It last, Less less) {
  const auto n = static_cast<std::size_t>(last - first);
  intro_sort(first, last, less, n > 1 ? 2 * (static_cast<int>(std::bit_width(n)) - 1) : 0);
}

}  // namespace zozed
