// Where nodes live. Nodes come from pools kept per thread: whatever thread built a node, any
// thread may own, move, copy and free it, also after the building thread has ended; trees and
// the parts the query model moves between them must not notice where their memory came from.
// The model object and the extender of a node live in a table apart, found by the node's
// address: they must follow the node, never its memory.
#include "vxASTFrom.h"
#include "vxASTSelect.h"
#include "vxNodePool.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSQLBuilder.h"
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

class NodeMemory : public testing::Test {
protected:
  TTree Parse(const std::string& Text) { return FProvider.ParseSelect(Text); }
  TastSQL92SyntaxProvider FProvider;
};

// The query model takes an ON condition out of one tree and puts it into another; here the two
// trees were built on two threads that have both ended, and the move and the frees happen on a
// third.
TEST_F(NodeMemory, PartsMoveBetweenTreesOfEndedThreads) {
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
TEST_F(NodeMemory, ClonesAcrossThreadsAreIndependent) {
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
TEST_F(NodeMemory, ThreadsFreeEachOthersTrees) {
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
TEST_F(NodeMemory, TreesFreedAfterTheThreadsListsAreGone) {
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
TEST_F(NodeMemory, EndedThreadsLeaveTheirMemoryToOthers) {
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

// Writes its node between brackets, so that a test sees it at work.
class TBracketExtender : public TastExtender {
  VX_CLASS(TBracketExtender)
public:
  using TastExtender::TastExtender;
  void BuildSQLForNode(const TastNode& Node, TSQLBuilder& Builder, bool MultiLine) const override {
    Builder.WriteSymbol("[");
    Node.BuildSQLDirect(Builder, MultiLine);
    Builder.WriteSymbol("]");
  }
};
VX_CLASS_IMPL(TBracketExtender, TastExtender)

// A fresh node that takes the memory of a freed one starts without its model object.
TEST_F(NodeMemory, ModelObjectsStayWithTheirNode) {
  TvxObject Model;
  for (int I = 0; I < 100; ++I) {
    auto Alias = NewNode<TSQLAlias>(&FProvider, "a");
    EXPECT_EQ(Alias->GetModelObject(), nullptr);
    Alias->SetModelObject(&Model);
  }
  TTree Tree = Parse(JoinText);
  FirstSelect(*Tree).SetModelObject(&Model);
  TTree Copy = OnEndedThread([&] { return CloneNode(*Tree); });
  std::thread([&] { Tree.reset(); }).join();
  EXPECT_EQ(FirstSelect(*Copy).GetModelObject(), &Model);
  Copy->SetModelObject(nullptr);
  EXPECT_EQ(Copy->GetModelObject(), nullptr);
}

// Extenders are chosen when a node is made and copied with it; a copy made on another thread
// has extenders of its own, which outlive the original's.
TEST_F(NodeMemory, ExtendersFollowTheirNodeAcrossThreads) {
  FProvider.RegisterExtender(TSQLAlias::StaticClass(), TBracketExtender::StaticClass());
  TTree Tree = OnEndedThread([&] { return Parse(JoinText); });
  TSQLAlias* Alias = FirstSelect(*Tree).GetFrom()->GetItem(0)->GetAlias();
  ASSERT_NE(Alias->GetExtender(), nullptr);
  EXPECT_EQ(Write(*Alias), "[o]");
  TTree Copy = OnEndedThread([&] { return CloneNode(*Tree); });
  TSQLAlias* Copied = FirstSelect(*Copy).GetFrom()->GetItem(0)->GetAlias();
  EXPECT_NE(Copied->GetExtender(), Alias->GetExtender());
  std::thread([&] { Tree.reset(); }).join();
  EXPECT_EQ(Write(*Copied), "[o]");

  // A node made before the registration has no extender until it asks again.
  TastSQL92SyntaxProvider Plain;
  auto Early = NewNode<TSQLAlias>(&Plain, "e");
  Plain.RegisterExtender(TSQLAlias::StaticClass(), TBracketExtender::StaticClass());
  EXPECT_EQ(Early->GetExtender(), nullptr);
  Early->UpdateExtender();
  EXPECT_EQ(Write(*Early), "[e]");
}

}  // namespace
