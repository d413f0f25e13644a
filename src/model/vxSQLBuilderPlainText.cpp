#include "vxSQLBuilderPlainText.h"

#include "vxSQLBuilder.h"

TSQLBuilderClass TvxSQLBuilderPlainText::SQLBuilderClass() const {
  return [](std::string& Stream) -> std::unique_ptr<TSQLBuilder> {
    return std::make_unique<TSQLBuilderPlainText>(Stream);
  };
}
