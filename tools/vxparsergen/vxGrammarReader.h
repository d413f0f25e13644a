// Reads a grammar file into a TGrammar.
//
// The grammar file is an attributed EBNF in the manner of Coco/R:
//
//   PARSER SQL92Parser : TvxBaseParser
//   TOKENS "SQL92Tokens.h" sql92::TSQL92TokenKind   // kind names come from this enum
//   HEADER  (. code placed before the class in the generated header .)
//   MEMBERS (. code placed inside the class .)
//   CODE    (. code placed at the top of the generated source .)
//   SETS
//     nameWord = kwAda .. kwUnnamed .               // ranges and single kinds, comma separated
//   BRACKETS symLParen symRParen                    // optional: the grammar's bracket pair
//   START OVERRIDE
//     ParseSelect : std::unique_ptr<TSQLSelectStatement> = selectStatement .
//   PRODUCTIONS
//     name<C++ parameters> (. local declarations .) = expression .
//     name<C++ parameters> LEVELS 2 (. local declarations .) = expression .
//   END
//
// A production counts as one level of nesting towards the parser's depth limit; "LEVELS n"
// makes it count as n, as the n productions it stands for would (one that takes the place of
// a chain of productions each calling the next keeps the limit where the chain had it).
//
// Expressions: juxtaposition is sequence, "|" choice, "( )" grouping, "[ ]" option, "{ }"
// repetition; a name is a token kind, a set or a production (called with "<arguments>", or
// "<. arguments .>" when they hold a ">"); "(. code .)" is a semantic action, run only by the
// replay. "IF(condition)" at the start of an alternative (or inside "[ ]" or "{ }") makes it
// viable only while the C++ condition holds; the condition must not change during a parse.
// "RESOLVE(condition)" in the same places (after any IF) settles a decision that two tokens of
// look-ahead leave open: an alternative is then viable only where the condition holds, and an
// option or repetition is taken exactly where it holds. The condition may read Next, the index
// of the path's next token. It must be exact (true for every path of the alternative that can
// complete and, for options, false for every skipping path that can); only the fast look-ahead
// uses it, so the error position never depends on it.
// With BRACKETS, every sequence must close the brackets it opens; where several alternatives of
// a choice start with the opening bracket, the kinds that can follow its closing bracket are
// computed for each and decide between them (fast look-ahead only, like RESOLVE).
// Comments are // and /* */.
#pragma once

#include "vxGrammar.h"

#include <string>

namespace vxgen {

// Parses Text (the contents of the file named File). Names stay unresolved until the tokens
// header is read (ReadTokensHeader) and the grammar analysed.
TGrammar ReadGrammar(const std::string& File, const std::string& Text);

// Fills Grammar.Terminals and KindNames from the enum named in the TOKENS line, found in
// HeaderText (the header file's contents): every "name = number" entry of that enum.
void ReadTokensHeader(TGrammar& Grammar, const std::string& HeaderFile, const std::string& HeaderText);

}  // namespace vxgen
