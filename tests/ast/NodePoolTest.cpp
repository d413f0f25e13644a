// Nodes come from pools kept per thread. Whatever thread built a node, any thread may own, move,
// copy and free it, also after the building thread has ended: trees and the parts the query
// model moves between them must not notice where their memory came from.
#include "vxASTFrom.h"
#include "vxASTSelect.h"
#include "vxNodePool.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxTestSql.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using vxtest::Write;
using TTree = std::unique_ptr<TSQLSelectStatement>;

const char* const JoinText =
    "SELECT o.OrderID, c.CompanyName FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID "
    "WHERE o.Freight > 10";
const char* const ListText = "SELECT p.ProductName, p.UnitPrice * 2 AS Twice FROM Products p";

// Runs Work on a thread of its own and returns what it returns, once that thread has ended.
template <class TWork>
auto OnEndedThread(TWork Work) {
  decltype(Work()) Result;
  std::thread([&] { Result = Work(); }).join();
  return Result;
}

TSQLSubQuerySelectExpression& FirstSelect(TSQLSelectStatement& Tree) { return *Tree.GetFirstSelect(); }

class NodePool : public testing::Test {
protected:
  TTree Parse(const std::string& Text) { return FProvider.ParseSelect(Text); }
  TastSQL92SyntaxProvider FProvider;
};

// The query model takes an ON condition out of one tree and puts it into another; here the two
// trees were built on two threads that have both ended, and the move and the frees happen on a
// third.
TEST_F(NodePool, PartsMoveBetweenTreesOfEndedThreads) {
  TTree Joined = OnEndedThread([&] { return Parse(JoinText); });
  TTree Listed = OnEndedThread([&] { return Parse(ListText); });
  const std::string JoinWritten = Write(*Parse(JoinText)), ListWritten = Write(*Parse(ListText));
  EXPECT_EQ(Write(*Joined), JoinWritten);
  EXPECT_EQ(Write(*Listed), ListWritten);

  TSQLFromSource* Customers = FirstSelect(*Joined).GetFrom()->GetItem(1);
  std::unique_ptr<TSQLExpressionItem> Condition = Customers->ExtractJoinCondition();
  std::unique_ptr<TSQLExpressionItem> Where = FirstSelect(*Joined).ExtractWhere();
  FirstSelect(*Listed).SetWhere(std::move(Condition));
  const std::string Moved = Write(*Parse(std::string(ListText) + " WHERE c.CustomerID = o.CustomerID"));
  EXPECT_EQ(Write(*Listed), Moved);

  Where.reset();
  Joined.reset();
  EXPECT_EQ(Write(*Listed), Moved);
}

// A copy made on one thread of a tree built on another is independent of it: each frees on its
// own thread, in either order, and the survivor still writes the same text.
TEST_F(NodePool, ClonesAcrossThreadsAreIndependent) {
  for (bool FreeOriginalFirst : {true, false}) {
    TTree Original = OnEndedThread([&] { return Parse(JoinText); });
    const std::string Written = Write(*Original);
    TTree Copy = OnEndedThread([&] { return CloneNode(*Original); });
    std::thread([&] { (FreeOriginalFirst ? Original : Copy).reset(); }).join();
    const TTree& Survivor = FreeOriginalFirst ? Copy : Original;
    EXPECT_EQ(Write(*Survivor), Written);
    // The freed blocks are handed out again; the survivor must not share any of them.
    std::vector<TTree> Others;
    for (int I = 0; I < 20; ++I) Others.push_back(Parse(ListText));
    EXPECT_EQ(Write(*Survivor), Written);
  }
}

// Threads exchange trees and free each other's: every free lands on a list of the freeing
// thread, while the building thread keeps allocating from its own.
TEST_F(NodePool, ThreadsFreeEachOthersTrees) {
  constexpr int Rounds = 200;
  std::vector<TTree> Built[2];
  std::thread Builders[2];
  for (int T = 0; T < 2; ++T)
    Builders[T] = std::thread([&, T] {
      for (int I = 0; I < Rounds; ++I) Built[T].push_back(Parse(T == 0 ? JoinText : ListText));
    });
  for (std::thread& Builder : Builders) Builder.join();
  const std::string Expected[2] = {Write(*Built[0].front()), Write(*Built[1].front())};
  std::thread Freers[2];
  for (int T = 0; T < 2; ++T)
    Freers[T] = std::thread([&, T] {
      std::vector<TTree>& Theirs = Built[1 - T];
      for (int I = 0; I < Rounds; ++I) {
        Theirs[static_cast<size_t>(I)].reset();
        const TTree Own = Parse(T == 0 ? JoinText : ListText);  // reuses what was just freed
        EXPECT_EQ(Write(*Own), Expected[T]);
      }
    });
  for (std::thread& Freer : Freers) Freer.join();
}

// A thread-local tree that outlives the thread's free lists (it was created first, so it is
// destroyed last) is freed all the same.
TEST_F(NodePool, TreesFreedAfterTheThreadsListsAreGone) {
  struct THolder {
    TTree Tree;
  };
  std::string Written;
  std::thread([&] {
    thread_local THolder Holder;  // constructed before any node of this thread
    Holder.Tree = Parse(JoinText);
    Written = Write(*Holder.Tree);
  }).join();
  EXPECT_EQ(Written, Write(*Parse(JoinText)));
}

// A thread that ends leaves its free blocks to the threads after it: short-lived threads that
// each parse a statement do not take new memory each.
TEST_F(NodePool, EndedThreadsLeaveTheirMemoryToOthers) {
  if (!TvxNodePool::IsEnabled()) GTEST_SKIP() << "nodes go to the plain allocator in this build";
  OnEndedThread([&] { return Parse(JoinText) != nullptr; });  // leaves a slab with free blocks
  int64_t Reserved = 0;
  for (int I = 0; I < 50; ++I)
    Reserved += OnEndedThread([&] {
      Parse(JoinText);
      return TvxNodePool::GetThreadStatistics().BytesReserved;
    });
  EXPECT_EQ(Reserved, 0);
}

}  // namespace
