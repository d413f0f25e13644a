// Class records for the syntax tree. C++ has no class references, yet the tree needs them:
// Clone constructs "a node of the same class", the extender registry looks classes up by
// inheritance distance, and messages name classes. Every node and extender class declares
// one record with VX_CLASS and defines it with VX_CLASS_IMPL (or VX_ABSTRACT_CLASS_IMPL).
#pragma once

#include <memory>
#include <string_view>

class TastExtender;
class TastSyntaxProvider;

struct TastClass {
  std::string_view Name;
  const TastClass* Parent;  // nullptr for the root record
  // Creates a fresh instance (extender chosen as for any new node); nullptr for abstract classes.
  std::unique_ptr<TastExtender> (*Factory)(TastSyntaxProvider* SyntaxProvider);

  // True when this class is Other or derives from it.
  bool InheritsFrom(const TastClass& Other) const;
  // Number of parent steps from this class up to Ancestor; -1 when Ancestor is no ancestor.
  int DistanceTo(const TastClass& Ancestor) const;
};

// Inside the class body: the static record and the virtual accessor.
#define VX_CLASS(ClassName)                   \
public:                                       \
  static const TastClass& StaticClass();      \
  const TastClass& GetClass() const override; \
                                              \
private:

// In the source file: the record of a concrete class whose constructor takes the provider.
#define VX_CLASS_IMPL(ClassName, ParentName)                                                                         \
  const TastClass& ClassName::StaticClass() {                                                                        \
    static const TastClass Record{                                                                                   \
        #ClassName, &ParentName::StaticClass(),                                                                      \
        [](TastSyntaxProvider* Provider) -> std::unique_ptr<TastExtender> { return NewNode<ClassName>(Provider); }}; \
    return Record;                                                                                                   \
  }                                                                                                                  \
  const TastClass& ClassName::GetClass() const { return StaticClass(); }

// In the source file: the record of a class that cannot be created from its record.
#define VX_ABSTRACT_CLASS_IMPL(ClassName, ParentName)                               \
  const TastClass& ClassName::StaticClass() {                                       \
    static const TastClass Record{#ClassName, &ParentName::StaticClass(), nullptr}; \
    return Record;                                                                  \
  }                                                                                 \
  const TastClass& ClassName::GetClass() const { return StaticClass(); }
