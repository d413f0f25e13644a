// The properties dialog of a model object, as the control owner sees it: something that can be
// created, placed and asked to edit. The concrete dialogs (links, datasources) implement it;
// a syntax provider names which one edits a given object.
#pragma once

#include "vxQBTypes.h"

#include <memory>
#include <string_view>

class QWidget;
class TvxQueryBuilderControlOwner;
class TvxBaseSyntaxProvider;

class TvxEditPropsForm {
public:
  virtual ~TvxEditPropsForm() = default;

  // Where the dialog opens; called before Edit.
  virtual void SetPosition(TvxPosition Position) = 0;
  // Shows the dialog modally for Owner. True when the user confirmed and Owner was changed.
  virtual bool Edit(TvxQueryBuilderControlOwner* Owner, TvxBaseSyntaxProvider* SyntaxProvider) = 0;
};

// "Class of TvxEditPropsForm": a name for messages and tests, and the factory. Records are
// static objects owned by the dialog's unit; callers keep pointers to them.
struct TvxEditPropsFormClass {
  std::string_view Name;
  // A new dialog parented to Parent (may be null); the caller owns it.
  std::unique_ptr<TvxEditPropsForm> (*Create)(QWidget* Parent);
};
