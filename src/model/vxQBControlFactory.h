// How the model gets its controls: one creation function per kind of control. A model object's
// CreateControlInternal asks its component's factory and calls nothing else of the widget layer,
// so the model depends on no widget class; the widget layer (src/controls) provides the default
// factory, and a host or a test may give a component another one (TvxQueryBuilder::
// SetControlFactory), typically derived from the default to change one kind of control.
//
// Every function returns a new widget already parented into the visual tree (never to the model
// object), or null when this kind of control has no face (yet) or its parent does not exist. The
// model object keeps it as its control and frees it with its controls; a control freed from
// outside frees its model object. Controls come back hidden unless said otherwise: the control
// owner shows those that its MakeVisible says are to be seen.
//
// Adding a kind of control: declare its function here, call it from the model object's
// CreateControlInternal, implement it in TvxDefaultControlFactory; where the model must ask the
// new control something, add a small interface in vxQBControlViews.h that the control implements.
#pragma once

class QTabWidget;
class QWidget;
class TvxDatasource;
class TvxLink;
class TvxQueryBase;
class TvxQueryBuilder;
class TvxSelectList;
class TvxSubQuery;
class TvxUnionGroup;
class TvxUnionSubQuery;

class TvxQueryBuilderControlFactory {
public:
  virtual ~TvxQueryBuilderControlFactory() = default;

  // The component's page control, one tab per sub-query, parented to QueryBuilder and shown
  // with it. Made once, in the component's constructor; never null.
  virtual QTabWidget* CreatePageControl(TvxQueryBuilder* QueryBuilder) = 0;
  // A sub-query's tab sheet, put into the page control at the sub-query's place in the
  // component's sub-query list (the page control shows it; the owner must not).
  virtual QWidget* CreateQueryTabSheet(TvxSubQuery* SubQuery) = 0;
  // An operand's union page (work area, splitter, select-list pane) on the tab sheet of its
  // root sub-query; only the active operand's page is shown.
  virtual QWidget* CreateUnionPage(TvxUnionSubQuery* Operand) = 0;
  // The navigation-bar items on the tab sheet of the item's root sub-query: an operand's
  // button, the union operator in front of an operand or group, a group's left or right
  // bracket.
  virtual QWidget* CreateUnionButton(TvxUnionSubQuery* Operand) = 0;
  virtual QWidget* CreateUnionOperator(TvxQueryBase* Item) = 0;
  virtual QWidget* CreateUnionBracket(TvxUnionGroup* Group, bool Left) = 0;
  // A datasource's box in the work area of its operand.
  virtual QWidget* CreateDatasourceControl(TvxDatasource* Datasource) = 0;
  // A link's line in the work area of its operand.
  virtual QWidget* CreateLinkControl(TvxLink* Link) = 0;
  // The select-list grid in the select-list pane of its operand's union page.
  virtual QWidget* CreateSelectListGrid(TvxSelectList* SelectList) = 0;
};

namespace vx {
// The widget layer's factory, used by every component that was given no other. It lives as
// long as the process. Defined by the widget layer, so that a host that links the library and
// makes a TvxQueryBuilder gets the widgets with it.
TvxQueryBuilderControlFactory& GetDefaultControlFactory();
}  // namespace vx
