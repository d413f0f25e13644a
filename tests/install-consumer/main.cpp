// Parses the SELECT statement given as the first argument and prints it on one line.
#include "vxASTSelect.h"
#include "vxSQL92SyntaxProvider.h"

#include <iostream>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: consumer STATEMENT\n";
    return 2;
  }
  try {
    TastSQL92SyntaxProvider SyntaxProvider;
    std::cout << SyntaxProvider.ParseSelect(argv[1])->GetSimpleSQL() << "\n";
  } catch (const EvxException& Error) {
    std::cerr << Error.GetMessage() << "\n";
    return 1;
  }
  return 0;
}
