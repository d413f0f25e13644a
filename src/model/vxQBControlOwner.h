// The base of every model object that has a face on screen: it keeps the object's controls,
// creates and destroys them together with those of its child objects, carries the "SQL changed"
// notification up the ownership chain, and holds the proxies of the nested SELECTs found below
// the object.
//
// Ownership: a model object is a QObject owned by its QObject parent (its "component owner").
// Its controls are widgets parented into the visual tree, not to the model object; the model
// object frees them. A control that is freed from outside (a box closed by the user, a link
// deleted with the Delete key) frees the model object that owns it ("deleting by control").
#pragma once

#include "vxASTBase.h"
#include "vxCommon.h"
#include "vxQBTypes.h"

#include <QMetaObject>
#include <QObject>
#include <QPoint>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QMenu;
class QWidget;
class TastNode;
class TvxQueryBuilderControlFactory;
class TvxDatasource;
class TvxQueryBuilder;
class TvxSubSelectStatementProxy;
class TvxUnionSubQuery;

class TvxQueryBuilderControlOwner : public QObject, public TvxObject {
  Q_OBJECT

public:
  // Owner is the component owner: another model object or the TvxQueryBuilder. The query
  // builder and the enclosing union operand are looked up from it here, once.
  explicit TvxQueryBuilderControlOwner(QObject* Owner);
  ~TvxQueryBuilderControlOwner() override;

  // The component the object belongs to; null for an object outside any component.
  TvxQueryBuilder* GetQueryBuilder() const { return FQueryBuilder; }
  // The union operand that encloses the object (the owner itself when it is one); may be null.
  TvxUnionSubQuery* GetUnionSubQuery() const { return FUnionSubQuery; }
  // The component owner when it is a model object, else null.
  TvxQueryBuilderControlOwner* GetOwnerObject() const;
  // True from the start of the object's destructor.
  bool IsDestroying() const { return FDestroying; }

  // --- controls ---
  // True when the component owner is a model object whose controls exist.
  virtual bool CanCreateControls() const;
  // Creates the object's controls, then those of its child objects (in creation order); does
  // nothing when they exist.
  virtual void CreateControl();
  // Destroys the child objects' controls, then the object's own; does nothing when none exist.
  virtual void DestroyControl();
  bool GetControlsCreated() const { return FControlsCreated; }
  // Control Index, or null when Index is past the array or the control is gone.
  QWidget* GetControls(int Index) const;
  bool IsDestroyingControls() const { return FDestroyingControls; }
  // Forgets Control (every entry holding it becomes null) without freeing it.
  void NotifyControlDestroying(QWidget* Control);
  // Pushes the component's look (colours, fonts, borders) into every control of the subtree.
  void DoUpdateContolParams();

  // --- change notification ---
  void BeginUpdate();
  // Releases a held notification at the outermost end; the count drops also when that throws.
  void EndUpdate();
  bool GetIsUpdating() const { return FUpdateCount > 0; }
  // Announces a change of the SQL this object stands for: at once, or at the outermost EndUpdate.
  void NotifySQLUpdated();
  // Passes the notification to the owner object; the root query overrides this.
  virtual void DoSQLUpdated();

  // --- nested SELECTs ---
  // Replaces every nested SELECT below Node with a proxy that owns a TvxSubQuery loaded from it;
  // the proxies register here with Node as their root node.
  virtual void LoadSubQueries(TastNode* Node);
  // The registered proxies whose root node is Node, appended in registration order.
  void GetSubqueriesByRootNode(const TastNode* Node, std::vector<TvxSubSelectStatementProxy*>& List) const;
  int GetSubqueriesByRootNodeCount(const TastNode* Node) const;
  const std::vector<TvxSubSelectStatementProxy*>& GetProxies() const { return FProxies; }
  // Fills the component's shared menu with one item per proxy of List and pops it up at the
  // screen point Point; choosing an item makes that proxy's sub-query the active one.
  void ShowSubQueriesPopup(const QPoint& Point, const std::vector<TvxSubSelectStatementProxy*>& List);
  // Menu handler: Sender is the chosen QAction, whose tag is a proxy.
  void EditSubquery(QObject* Sender);
  // Called by a proxy when it is made and when it goes.
  void AddProxy(TvxSubSelectStatementProxy* Proxy);
  void RemoveProxy(TvxSubSelectStatementProxy* Proxy);

  // --- syntax tree ---
  // Appends the syntax nodes this object holds (not those of its child objects).
  virtual void GetASTChildren(TastChildren& List) const;
  void GetASTChildrenForSubtree(TastChildren& List) const;
  // A fresh tree of the object, owned by the caller; null in the base.
  virtual std::unique_ptr<TastNode> GetASTTree() const;
  // Asks the subtree whether it depends on Datasource; child objects that do are freed. True
  // when this object itself depends on it and must go.
  bool NotifyDatasourceDestroying(TvxDatasource* Datasource);

  // --- editing ---
  // Opens the properties dialog that the syntax provider names for this object, if any.
  virtual void EditProps(TvxPosition Position);
  void EditPropsEvent(QObject* Sender) { EditProps(poMainFormCenter); }
  // Frees the object (menu handler "Remove").
  virtual void RemoveEvent(QObject* Sender);
  // The context menu of the object, built in the component's shared menu; null in the base.
  virtual QMenu* GetPopupMenu();

protected:
  // Control Index, made through GetControlFactory(); null in the base.
  virtual QWidget* CreateControlInternal(int Index) { return nullptr; }
  virtual void SaveControlParams(int Index) {}
  virtual void RestoreControlParams(int Index) {}
  // Lets control Index take the component's look again: the base asks a control that is a
  // TvxControlView to do so.
  virtual void UpdateContolParams(int Index);
  virtual bool MakeVisible(int Index) { return true; }
  virtual int GetControlsCount() const { return 0; }
  virtual bool NotifyDatasourceDestroyingInternal(TvxDatasource* Datasource) { return false; }

  // Every destructor in the model calls this first, so that children and notifications can
  // tell a dying object from a living one.
  void MarkDestroying() { FDestroying = true; }
  // Frees the owned QObjects, last first. A class whose children call back into it while they
  // go calls this in its own destructor, while the object still has its full type.
  void DestroyComponents();
  // The owned model objects, in creation order (a snapshot: safe to free while walking).
  std::vector<TvxQueryBuilderControlOwner*> GetChildOwners() const;
  // The factory that makes the controls of this object: its component's; null outside one.
  TvxQueryBuilderControlFactory* GetControlFactory() const;
  // The menu of a box or line: the component's shared menu filled with "Remove" (RemoveEvent)
  // and "Edit..." (EditPropsEvent, the default item; disabled without a syntax provider, which
  // names the properties dialog). Null without a component.
  QMenu* PopupMenuRemoveEdit();

private:
  void DoCreateControl();
  void DoDestroyControl();
  void ControlDestroyed(QObject* Control);

  TvxQueryBuilder* FQueryBuilder = nullptr;
  bool FControlsCreated = false;
  std::vector<QWidget*> FControls;
  std::vector<QMetaObject::Connection> FControlLinks;  // the destroyed() link of each entry
  int FUpdateCount = 0;
  bool FSQLUpdatedPending = false;
  TvxUnionSubQuery* FUnionSubQuery = nullptr;
  bool FDestroyingControls = false;
  bool FDestroying = false;
  // Not owning. A proxy is owned by the syntax node that holds it (the node stands in the tree
  // where the nested SELECT was), and that node belongs to this object or one of its parts.
  // A proxy removes itself here when it goes; when this object goes first it tells every
  // proxy to forget it. So neither side can point at the other after it is freed.
  std::vector<TvxSubSelectStatementProxy*> FProxies;
};

// The loader context handed through the syntax tree walk that replaces nested SELECTs with
// proxies: the model object that loads, and the node under which the SELECTs were found.
class TvxSubQueryLoader : public TvxObject {
public:
  TvxSubQueryLoader(TvxQueryBuilderControlOwner* Owner, TastNode* RootNode) : FOwner(Owner), FRootNode(RootNode) {}
  TvxQueryBuilderControlOwner* GetOwner() const { return FOwner; }
  TastNode* GetRootNode() const { return FRootNode; }

private:
  TvxQueryBuilderControlOwner* FOwner;
  TastNode* FRootNode;
};

// BeginUpdate now and EndUpdate at the end of the scope, also when an exception leaves it: the
// held notification goes out once, when the outermost scope ends.
class TvxUpdateScope {
public:
  explicit TvxUpdateScope(TvxQueryBuilderControlOwner* Owner) : FOwner(Owner) { FOwner->BeginUpdate(); }
  ~TvxUpdateScope() { FOwner->EndUpdate(); }
  TvxUpdateScope(const TvxUpdateScope&) = delete;
  TvxUpdateScope& operator=(const TvxUpdateScope&) = delete;

private:
  TvxQueryBuilderControlOwner* FOwner;
};

namespace vx {
// A caption for a query text: every Select and every From replaced by their short forms, and a
// text longer than MaxLength cut there and followed by Ellipsis.
std::string AbbreviateSQL(std::string Text, std::string_view Select, std::string_view SelectShort,
                          std::string_view From, std::string_view FromShort, std::string_view Ellipsis,
                          size_t MaxLength = 25);

// Moves the element at From to To, those between shifting one place towards From's old place:
// how rows, operands and their orders are reordered. Both indexes must be valid.
template <class T>
void MoveElement(std::vector<T>& Items, size_t From, size_t To) {
  auto Begin = Items.begin();
  if (From < To)
    std::rotate(Begin + From, Begin + From + 1, Begin + To + 1);
  else if (From > To)
    std::rotate(Begin + To, Begin + From, Begin + From + 1);
}
}  // namespace vx
