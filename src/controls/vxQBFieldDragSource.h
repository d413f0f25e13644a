// A source of the library's drag that carries one field of a datasource: the fields list of a
// datasource box. Targets (the select-list grid) ask it what is dragged.
#pragma once

#include <string>

class TvxDatasource;

class TvxFieldDragSource {
public:
  virtual ~TvxFieldDragSource() = default;
  // The datasource whose field is dragged; null when the drag carries none.
  virtual TvxDatasource* GetDragDatasource() const = 0;
  // The dragged field's name as the box lists it ("*" for all columns).
  virtual std::string GetDragFieldName() const = 0;
};
