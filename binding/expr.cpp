#include "expr.h"
#include <cctype>

namespace vxb {

namespace {

struct Parser {
  const std::string& s;
  size_t p = 0;
  const std::function<int(const std::string&)>& lookup;
  Expr& out;
  std::string& err;

  void ws() {
    while (p < s.size() && std::isspace(static_cast<unsigned char>(s[p]))) ++p;
  }
  bool eat(const char* t) {
    ws();
    size_t n = std::char_traits<char>::length(t);
    if (s.compare(p, n, t) == 0) {
      p += n;
      return true;
    }
    return false;
  }
  bool fail(const std::string& m) {
    if (err.empty()) err = m + " in '" + s + "'";
    return false;
  }
  void emit(Op op, int32_t a = -1, int64_t v = 0) { out.code.push_back({op, a, v}); }

  bool ternary() {
    if (!lor()) return false;
    if (eat("?")) {
      if (!ternary()) return false;
      if (!eat(":")) return fail("expected ':'");
      if (!ternary()) return false;
      emit(Op::cond);
    }
    return true;
  }
  bool lor() {
    if (!land()) return false;
    while (eat("||")) {
      if (!land()) return false;
      emit(Op::lor);
    }
    return true;
  }
  bool land() {
    if (!cmp()) return false;
    while (eat("&&")) {
      if (!cmp()) return false;
      emit(Op::land);
    }
    return true;
  }
  bool cmp() {
    if (!add()) return false;
    for (;;) {
      Op op;
      if (eat("==")) op = Op::eq;
      else if (eat("!=")) op = Op::ne;
      else if (eat("<=")) op = Op::le;
      else if (eat(">=")) op = Op::ge;
      else if (eat("<")) op = Op::lt;
      else if (eat(">")) op = Op::gt;
      else return true;
      if (!add()) return false;
      emit(op);
    }
  }
  bool add() {
    if (!mul()) return false;
    for (;;) {
      Op op;
      if (eat("+")) op = Op::add;
      else if (eat("-")) op = Op::sub;
      else return true;
      if (!mul()) return false;
      emit(op);
    }
  }
  bool mul() {
    if (!unary()) return false;
    for (;;) {
      Op op;
      if (eat("*")) op = Op::mul;
      else if (eat("/")) op = Op::div;
      else if (eat("%")) op = Op::mod;
      else return true;
      if (!unary()) return false;
      emit(op);
    }
  }
  bool unary() {
    if (eat("-")) {
      const size_t at = out.code.size();
      if (!unary()) return false;
      // A negative number is one literal.
      if (out.code.size() == at + 1 && out.code[at].op == Op::lit && out.code[at].val != INT64_MIN)
        out.code[at].val = -out.code[at].val;
      else
        emit(Op::neg);
      return true;
    }
    if (eat("!")) {
      if (!unary()) return false;
      emit(Op::lnot);
      return true;
    }
    return primary();
  }
  bool name(std::string& id) {
    ws();
    size_t b = p;
    while (p < s.size() && (std::isalnum(static_cast<unsigned char>(s[p])) || s[p] == '_')) ++p;
    id = s.substr(b, p - b);
    return !id.empty();
  }
  bool primary() {
    ws();
    if (p >= s.size()) return fail("unexpected end");
    if (eat("(")) {
      if (!ternary()) return false;
      return eat(")") || fail("expected ')'");
    }
    if (s[p] == '\'') {
      // A character literal: its code, compared with a text argument's value.
      if (p + 2 >= s.size() || s[p + 2] != '\'') return fail("expected one character between quotes");
      emit(Op::lit, -1, static_cast<unsigned char>(s[p + 1]));
      p += 3;
      return true;
    }
    if (std::isdigit(static_cast<unsigned char>(s[p]))) {
      int64_t v = 0;
      while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) v = v * 10 + (s[p++] - '0');
      emit(Op::lit, -1, v);
      return true;
    }
    std::string id;
    if (!name(id)) return fail("unexpected character");
    ws();
    if (p < s.size() && s[p] == '(') {
      ++p;
      if (id == "shape" || id == "len" || id == "size" || id == "rank" || id == "slen") {
        std::string a;
        if (!name(a)) return fail("expected argument name");
        int ix = lookup(a);
        if (ix < 0) return fail("unknown argument '" + a + "'");
        out.extents = true;
        if (id == "shape") {
          if (!eat(",")) return fail("expected ','");
          ws();
          int64_t d = 0;
          if (p >= s.size() || !std::isdigit(static_cast<unsigned char>(s[p]))) return fail("expected dimension");
          while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) d = d * 10 + (s[p++] - '0');
          emit(Op::shape, ix, d);
        } else if (id == "len") {
          emit(Op::len, ix);
        } else if (id == "size") {
          emit(Op::size, ix);
        } else if (id == "rank") {
          emit(Op::rank, ix);
        } else {
          emit(Op::slen, ix);
        }
        return eat(")") || fail("expected ')'");
      }
      if (id == "max" || id == "min") {
        if (!ternary()) return false;
        if (!eat(",")) return fail("expected ','");
        if (!ternary()) return false;
        emit(id == "max" ? Op::max : Op::min);
        return eat(")") || fail("expected ')'");
      }
      if (id == "maxupto") {
        // maxupto(x, hi): the largest positive element of the integer array x at most hi.
        std::string a;
        if (!name(a)) return fail("expected argument name");
        int ix = lookup(a);
        if (ix < 0) return fail("unknown argument '" + a + "'");
        if (!eat(",")) return fail("expected ','");
        if (!ternary()) return false;
        out.extents = true;
        emit(Op::maxupto, ix);
        return eat(")") || fail("expected ')'");
      }
      if (id == "abs") {
        if (!ternary()) return false;
        emit(Op::abs);
        return eat(")") || fail("expected ')'");
      }
      return fail("unknown function '" + id + "'");
    }
    int ix = lookup(id);
    if (ix < 0) return fail("unknown argument '" + id + "'");
    emit(Op::arg, ix);
    return true;
  }
};

}  // namespace

bool compile_expr(const std::string& src, const std::function<int(const std::string&)>& lookup, Expr& out,
                  std::string& err) {
  out.code.clear();
  out.src = src;
  out.extents = false;
  Parser ps{src, 0, lookup, out, err};
  if (!ps.ternary()) return false;
  ps.ws();
  if (ps.p != src.size()) return ps.fail("trailing characters");
  // The depth of the evaluation stack, checked once here instead of per step.
  int depth = 0, most = 0;
  for (const Instr& in : out.code) {
    switch (in.op) {
      case Op::lit: case Op::arg: case Op::shape: case Op::len: case Op::size: case Op::rank: case Op::slen:
        ++depth;
        break;
      case Op::neg: case Op::lnot: case Op::abs: case Op::maxupto: break;
      case Op::cond: depth -= 2; break;
      default: --depth; break;
    }
    most = depth > most ? depth : most;
  }
  if (most > kMaxDepth) return ps.fail("expression too deep");
  return true;
}

int64_t eval_expr(const Expr& e, const ExprEnv& env) {
  // compile_expr refuses an expression deeper than the stack.
  int64_t st[kMaxDepth];
  int sp = 0;
  for (const Instr& in : e.code) {
    int64_t r;
    switch (in.op) {
      case Op::lit: st[sp++] = in.val; continue;
      case Op::arg:
        st[sp++] = env.values ? *reinterpret_cast<const int64_t*>(env.values + static_cast<size_t>(in.arg) * env.stride)
                              : env.value(in.arg);
        continue;
      case Op::shape: st[sp++] = env.shape(in.arg, in.val); continue;
      case Op::len: st[sp++] = env.shape(in.arg, 0); continue;
      case Op::size: st[sp++] = env.size(in.arg); continue;
      case Op::rank: st[sp++] = env.rank(in.arg); continue;
      case Op::slen: st[sp++] = env.slen(in.arg); continue;
      case Op::maxupto: st[sp - 1] = env.maxupto(in.arg, st[sp - 1]); continue;
      case Op::neg: st[sp - 1] = st[sp - 1] == INT64_MIN ? INT64_MAX : -st[sp - 1]; continue;
      case Op::lnot: st[sp - 1] = !st[sp - 1]; continue;
      case Op::abs: st[sp - 1] = st[sp - 1] < 0 ? (st[sp - 1] == INT64_MIN ? INT64_MAX : -st[sp - 1]) : st[sp - 1]; continue;
      case Op::cond:
        sp -= 2;
        st[sp - 1] = st[sp - 1] ? st[sp] : st[sp + 1];
        continue;
      // Saturate instead of wrapping: a huge extent must stay huge so that
      // the size checks refuse it.
      case Op::add: if (__builtin_add_overflow(st[sp - 2], st[sp - 1], &r)) r = st[sp - 1] > 0 ? INT64_MAX : INT64_MIN; break;
      case Op::sub: if (__builtin_sub_overflow(st[sp - 2], st[sp - 1], &r)) r = st[sp - 1] < 0 ? INT64_MAX : INT64_MIN; break;
      case Op::mul:
        if (__builtin_mul_overflow(st[sp - 2], st[sp - 1], &r)) r = (st[sp - 2] < 0) != (st[sp - 1] < 0) ? INT64_MIN : INT64_MAX;
        break;
      case Op::div: r = (st[sp - 1] == 0 || (st[sp - 2] == INT64_MIN && st[sp - 1] == -1)) ? 0 : st[sp - 2] / st[sp - 1]; break;
      case Op::mod: r = (st[sp - 1] == 0 || st[sp - 1] == -1) ? 0 : st[sp - 2] % st[sp - 1]; break;
      case Op::lt: r = st[sp - 2] < st[sp - 1]; break;
      case Op::le: r = st[sp - 2] <= st[sp - 1]; break;
      case Op::gt: r = st[sp - 2] > st[sp - 1]; break;
      case Op::ge: r = st[sp - 2] >= st[sp - 1]; break;
      case Op::eq: r = st[sp - 2] == st[sp - 1]; break;
      case Op::ne: r = st[sp - 2] != st[sp - 1]; break;
      case Op::land: r = st[sp - 2] && st[sp - 1]; break;
      case Op::lor: r = st[sp - 2] || st[sp - 1]; break;
      case Op::max: r = st[sp - 2] > st[sp - 1] ? st[sp - 2] : st[sp - 1]; break;
      case Op::min: r = st[sp - 2] < st[sp - 1] ? st[sp - 2] : st[sp - 1]; break;
      default: r = 0; break;
    }
    st[--sp - 1] = r;  // a binary operation: two values in, one out
  }
  return sp ? st[sp - 1] : 0;
}

void expr_refs(const Expr& e, std::vector<int>& refs, bool values_only) {
  for (const Instr& in : e.code)
    if (in.op == Op::arg || (!values_only && in.arg >= 0)) refs.push_back(in.arg);
}

}  // namespace vxb
