// Integer expressions of the binding tables (extents, defaults, checks),
// compiled once at import and evaluated per call.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vxb {

enum class Op : uint8_t {
  lit, arg, shape, len, size, rank, slen, neg, lnot, add, sub, mul, div, mod, lt, le, gt, ge, eq, ne,
  land, lor, cond, max, min, abs, maxupto
};

struct Instr {
  Op op;
  int32_t arg;  // argument index for arg/shape/len/size/rank/slen/maxupto
  int64_t val;  // literal, or dimension for shape with a constant index
};

struct Expr {
  std::vector<Instr> code;
  std::string src;
  bool extents = false;  // asks for the extent or the values of an array (shape, len, size, rank, slen, maxupto)
  bool empty() const { return code.empty(); }
};

// Values an expression can ask for while it is evaluated.
struct ExprEnv {
  // Where the scalar values lie when they are evenly spaced in memory (the
  // value of argument i at values + i * stride): read there without a call.
  // Null: value() is asked.
  const char* values = nullptr;
  size_t stride = 0;
  virtual int64_t value(int arg) const = 0;
  virtual int64_t shape(int arg, int64_t dim) const = 0;  // -1 when unknown
  virtual int64_t size(int arg) const = 0;
  virtual int64_t rank(int arg) const = 0;
  virtual int64_t slen(int arg) const = 0;
  // The largest positive element of the integer array arg that is at most
  // hi, 0 when there is none (or the values are not at hand): the least
  // extent of an array that the routine indexes by those elements.
  virtual int64_t maxupto(int, int64_t) const { return 0; }
  virtual ~ExprEnv() = default;
};

constexpr int kMaxDepth = 32;  // values an expression holds at once while it is evaluated

// Compiles src; names are resolved through lookup (returns -1 when unknown).
// Returns false with a message on a syntax error.
bool compile_expr(const std::string& src, const std::function<int(const std::string&)>& lookup, Expr& out,
                  std::string& err);
int64_t eval_expr(const Expr& e, const ExprEnv& env);
// Argument indices that the expression refers to.
void expr_refs(const Expr& e, std::vector<int>& refs, bool values_only);

}  // namespace vxb
