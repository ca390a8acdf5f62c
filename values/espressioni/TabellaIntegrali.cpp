// The table of integrals: 92 groups, tried in order. Each row is a pattern in the
// formula syntax (a, b, n numeric constants; a2, b2 squares of positive constants), its
// antiderivative with $a, $b, $n for the bound values, and the condition under which that
// antiderivative is sound.
#include "values/espressioni/Integrale.h"

namespace qx {

namespace {

using L = const TLegami&;
bool A0(L l) { return l.a() != 0; }
bool B0(L l) { return l.b() != 0; }
bool APos(L l) { return l.a() > 0; }
bool AMenoUno(L l) { return l.a() == -1; }
bool ANonMenoUno(L l) { return l.a() != -1; }
bool BaseA(L l) { return l.a() > 0 && l.a() != 1; }
bool BaseB(L l) { return l.b() > 0 && l.b() != 1; }
bool BaseBA0(L l) { return BaseB(l) && l.a() != 0; }
bool BN1(L l) { return l.b() != 0 && l.n() != -1; }
bool BN12(L l) { return l.b() != 0 && l.n() != -1 && l.n() != -2; }
bool BN2(L l) { return l.b() != 0 && l.n() != -2; }
bool AdiversoB(L l) { return l.a() != l.b() && l.a() != -l.b(); }
bool ANon1(L l) { return l.a() != 1 && l.a() != -1; }
bool BNon1(L l) { return l.b() != 1 && l.b() != -1; }
bool ABNonZero(L l) { return l.a() != 0 || l.b() != 0; }

}  // namespace

const std::vector<TGruppoIntegrale>& TabellaIntegrali() {
  static const std::vector<TGruppoIntegrale> tabella = {
      // 1 (x^-1 has the logarithm as its antiderivative, not a quotient by zero)
      {{"x^a", "ln(abs(x))", AMenoUno}, {"x^a", "x^($a+1)/($a+1)", ANonMenoUno}},
      // 2
      {{"1/x", "ln(abs(x))", nullptr}},
      // 3
      {{"exp(a*x)", "(1/$a)*(exp($a*x))", A0}, {"exp(x)", "exp(x)", nullptr}},
      // 4
      {{"a^x", "($a^x)/ln($a)", BaseA}},
      // 5
      {{"ln(x)", "x*ln(x)-x", nullptr}},
      // 6
      {{"sin(a*x)", "-(1/$a)*(cos($a*x))", A0}, {"sin(x)", "-(cos(x))", nullptr}},
      // 7
      {{"cos(a*x)", "(1/$a)*(sin($a*x))", A0}, {"cos(x)", "sin(x)", nullptr}},
      // 8
      {{"tan(a*x)", "-(1/$a)*ln(abs(cos($a*x)))", A0}, {"tan(x)", "-(ln(abs(cos(x))))", nullptr}},
      // 9
      {{"sinh(a*x)", "(1/$a)*(cosh($a*x))", A0}, {"sinh(x)", "cosh(x)", nullptr}},
      // 10
      {{"cosh(a*x)", "(1/$a)*(sinh($a*x))", A0}, {"cosh(x)", "sinh(x)", nullptr}},
      // 11
      {{"tanh(a*x)", "(1/$a)*ln(abs(cosh($a*x)))", A0}, {"tanh(x)", "(ln(abs(cosh(x))))", nullptr}},
      // 12
      {{"1/sqrt(a^2-x^2)", "arcsin(x/$a)", APos}, {"1/sqrt(a2-x^2)", "arcsin(x/$a)", nullptr}},
      // 13
      {{"1/sqrt(x^2-a^2)", "arccosh(x/$a)", APos}, {"1/sqrt(x^2-a2)", "arccosh(x/$a)", nullptr}},
      // 14
      {{"1/sqrt(a^2+x^2)", "arcsinh(x/$a)", APos}, {"1/sqrt(a2+x^2)", "arcsinh(x/$a)", nullptr}},
      // 15
      {{"1/(x^2+a^2)", "1/$a*arctan(x/$a)", A0}, {"1/(x^2+a2)", "1/$a*arctan(x/$a)", nullptr}},
      // 16
      {{"1/(a2-(b2*x^2))", "(1/($a*$b))*arctanh(($b*x)/$a)", nullptr}},
      // 17
      {{"(a+(b*x))^n", "(($a+$b*x)^($n+1))/($b*($n+1))", BN1},
       {"(b*x)^n", "(($b*x)^($n+1))/($b*($n+1))", BN1},
       {"(a+b*x)", "(($a+$b*x)^2)/($b*2)", B0},
       {"(b*x)", "(($b*x)^2)/($b*2)", B0}},
      // 18
      {{"n/(a+b*x)", "($n/$b)*ln(abs($a+$b*x))", B0}, {"n/(a+x)", "$n*ln(abs($a+x))", nullptr}},
      // 19
      {{"x*(a+b*x)^n", "((($a+$b*x)^($n+1))/($b^2))*(($a+$b*x)/($n+2)-($a/($n+1)))", BN12},
       {"x*(a+b*x)", "((($a+$b*x)^2)/($b^2))*(($a+$b*x)/3-($a/2))", B0},
       {"x*(b*x)^n", "((($b*x)^($n+1))/($b^2))*(($b*x)/($n+2))", BN12},
       {"x*(b*x)", "((($b*x)^2)/($b^2))*(($b*x)/3)", B0}},
      // 20
      {{"x/(a+b*x)", "(x/$b)-($a/($b^2))*ln(abs($a+$b*x))", B0}, {"x/(a+x)", "x-$a*ln(abs($a+x))", nullptr}},
      // 21
      {{"(x^2)/(a+b*x)", "(1/$b^3)*(1/2*($a+$b*x)^2-2*$a*($a+$b*x)+$a^2*ln(abs($a+$b*x)))", B0},
       {"(x^2)/(a+x)", "1/2*($a+x)^2-2*$a*($a+x)+$a^2*ln(abs($a+x))", nullptr}},
      // 22
      {{"x/(a+b*x)^2", "(1/$b^2)*($a/($a+$b*x)+ln(abs($a+$b*x)))", B0},
       {"x/(a+x)^2", "$a/($a+x)+ln(abs($a+x))", nullptr}},
      // 23
      {{"x^2/(a+b*x)^2", "(1/$b^3)*($a+$b*x-$a^2/($a+$b*x)-2*$a*ln(abs($a+$b*x)))", B0},
       {"x^2/(a+x)^2", "$a+x-$a^2/($a+x)-2*$a*ln(abs($a+x))", nullptr}},
      // 24
      {{"1/(x*(a+b*x))", "(1/$a)*ln(abs(x/($a+$b*x)))", A0}, {"1/(x*(a+x))", "(1/$a)*ln(abs(x/($a+x)))", A0}},
      // 25
      {{"1/(x^2*(a+b*x))", "-1/($a*x)+$b/$a^2*ln(abs(($a+$b*x)/x))", A0},
       {"1/(x^2*(a+x))", "-1/($a*x)+1/$a^2*ln(abs(($a+x)/x))", A0}},
      // 26
      {{"1/(x*(a+b*x)^2)", "(1/($a*($a+$b*x)))+(1/$a^2)*ln(abs(x/($a+$b*x)))", A0},
       {"1/(x*(a+x)^2)", "(1/($a*($a+x)))+(1/$a^2)*ln(abs(x/($a+x)))", A0}},
      // 27
      {{"x/sqrt(a+b*x)", "(2/(3*$b^2))*($b*x-2*$a)*sqrt($a+$b*x)", B0},
       {"x/sqrt(a+x)", "(2/3)*(x - 2*$a)*sqrt($a + x)", nullptr}},
      // 28
      {{"x^2/sqrt(a+b*x)", "(2/(15*$b^3))*(8*$a^2+3*$b^2*x^2-4*$a*$b*x)*sqrt($a+$b*x)", B0},
       {"x^2/sqrt(a+x)", "(2/15)*(8*$a^2+3*x^2-4*$a*x)*sqrt($a+x)", nullptr}},
      // 29
      {{"sqrt(a+b*x)^n", "(2/$b)*(($a+$b*x)^(1+$n/2)/($n+2))", BN2},
       {"sqrt(a+b*x)", "(2/$b)*(($a+$b*x)^(1+1/2)/3)", B0}},
      // 30
      {{"x*sqrt(a+b*x)", "(2/(15*$b^2))*(3*$b*x-2*$a)*($a+$b*x)^(3/2)", B0}},
      // 31
      {{"sqrt(a2+x^2)", "(x/2)*sqrt($a^2+x^2)+($a^2/2)*arcsinh(x/$a)", nullptr}},
      // 32
      {{"x^2*sqrt(a2+x^2)", "(x/8)*($a^2+2*x^2)*sqrt($a^2+x^2)-($a^4/8)*arcsinh(x/$a)", nullptr}},
      // 33
      {{"sqrt(a2+x^2)/x", "sqrt($a^2+x^2)-$a*ln((($a^2+x^2)^(1/2)+$a)/x)", nullptr}},
      // 34
      {{"sqrt(a2+x^2)/x^2", "ln(($a^2+x^2)^(1/2)+x)-sqrt($a^2+x^2)/x", nullptr}},
      // 35
      {{"1/(x*sqrt(a2+x^2))", "-(1/$a)*ln(abs(($a+sqrt($a^2+x^2))/x))", nullptr}},
      // 36
      {{"1/(x^2*sqrt(a2+x^2))", "-(sqrt($a^2+x^2)/($a^2*x))", nullptr}},
      // 37
      {{"sqrt(a2-x^2)", "(x/2)*sqrt($a^2-x^2)+($a^2/2)*arcsin(x/$a)", nullptr}},
      // 38
      {{"1/(x*sqrt(a2-x^2))", "-(1/$a)*ln(abs(($a+sqrt($a^2-x^2))/x))", nullptr}},
      // 39
      {{"sqrt(x^2-a2)", "(x/2)*sqrt(x^2-$a^2)-($a^2/2)*ln((x^2-$a^2)^(1/2)+x)", nullptr}},
      // 40
      {{"sqrt(x^2-a2)/x", "sqrt(x^2-$a^2)-$a*arcsec(abs(x/$a))", nullptr}},
      // 41
      {{"1/(x^2*sqrt(x^2-a2))", "sqrt(x^2-$a^2)/($a^2*x)", nullptr}},
      // 42
      {{"1/((a2+x^2)^2)", "x/(2*$a^2*($a^2+x^2))+1/(2*$a^3)*arctan(x/$a)", nullptr}},
      // 43
      {{"1/((a2-x^2)^2)", "x/(2*$a^2*($a^2-x^2))+1/(4*$a^3)*ln(abs(($a+x)/($a-x)))", nullptr}},
      // 44
      {{"sin(a*x)^2", "x/2-sin(2*$a*x)/(4*$a)", A0}, {"sin(x)^2", "x/2-sin(2*x)/4", nullptr}},
      // 45
      {{"cos(a*x)^2", "x/2+sin(2*$a*x)/(4*$a)", A0}, {"cos(x)^2", "x/2+sin(2*x)/4", nullptr}},
      // 46
      {{"sin(a*x)*sin(b*x)", "sin(($a-$b)*x)/(2*($a-$b))-sin(($a+$b)*x)/(2*($a+$b))", AdiversoB},
       {"sin(x)*sin(b*x)", "sin((1-$b)*x)/(2*(1-$b))-sin((1+$b)*x)/(2*(1+$b))", BNon1},
       {"sin(a*x)*sin(x)", "sin(($a-1)*x)/(2*($a-1))-sin(($a+1)*x)/(2*($a+1))", ANon1}},
      // 47
      {{"cos(a*x)*cos(b*x)", "sin(($a-$b)*x)/(2*($a-$b))+sin(($a+$b)*x)/(2*($a+$b))", AdiversoB},
       {"cos(x)*cos(b*x)", "sin((1-$b)*x)/(2*(1-$b))+sin((1+$b)*x)/(2*(1+$b))", BNon1},
       {"cos(a*x)*cos(x)", "sin(($a-1)*x)/(2*($a-1))+sin(($a+1)*x)/(2*($a+1))", ANon1}},
      // 48
      {{"sin(a*x)*cos(a*x)", "sin($a*x)^2/(2*$a)", A0}, {"sin(x)*cos(x)", "sin(x)^2/2", nullptr}},
      // 49
      {{"sin(a*x)*cos(b*x)", "-(cos(($a-$b)*x)/(2*($a-$b)))-cos(($a+$b)*x)/(2*($a+$b))", AdiversoB},
       {"sin(x)*cos(b*x)", "-(cos((1-$b)*x)/(2*(1-$b)))-cos((1+$b)*x)/(2*(1+$b))", BNon1},
       {"sin(a*x)*cos(x)", "-(cos(($a-1)*x)/(2*($a-1)))-cos(($a+1)*x)/(2*($a+1))", ANon1}},
      // 50
      {{"x*sin(a*x)", "sin($a*x)/$a^2-(x*cos($a*x))/$a", A0}, {"x*sin(x)", "sin(x)-(x*cos(x))", nullptr}},
      // 51
      {{"x^2*sin(a*x)", "2*x/$a^2*sin($a*x)-($a^2*x^2-2)/$a^3*cos($a*x)", A0},
       {"x^2*sin(x)", "(2*x*sin(x))-(x^2-2)*cos(x)", nullptr}},
      // 52
      {{"x*cos(a*x)", "(x*sin($a*x))/$a+1/$a^2*cos($a*x)", A0}, {"x*cos(x)", "x*sin(x)+cos(x)", nullptr}},
      // 53
      {{"x^2*ln(x)", "x^3/3*ln(x)-x^3/9", nullptr}},
      // 54
      {{"x^2*cos(a*x)", "($a^2*x^2-2)/$a^3*sin($a*x)+2*x/$a^2*cos($a*x)", A0},
       {"x^2*cos(x)", "(x^2-2)*sin(x)+(2*x*cos(x))", nullptr}},
      // 55
      {{"exp(a*x)*sin(b*x)", "exp($a*x)/($a^2+$b^2)*($a*sin($b*x)-$b*cos($b*x))", ABNonZero},
       {"exp(x)*sin(b*x)", "exp(x)/(1+$b^2)*(sin($b*x)-$b*cos($b*x))", nullptr},
       {"exp(a*x)*sin(x)", "exp($a*x)/($a^2+1)*($a*sin(x)-cos(1*x))", nullptr},
       {"exp(x)*sin(x)", "exp(x)/2*(sin(x)-cos(x))", nullptr}},
      // 56
      {{"exp(a*x)*cos(b*x)", "exp($a*x)/($a^2+$b^2)*($a*cos($b*x)+$b*sin($b*x))", ABNonZero},
       {"exp(x)*cos(b*x)", "exp(x)/(1+$b^2)*(cos($b*x)+$b*sin($b*x))", nullptr},
       {"exp(a*x)*cos(x)", "exp($a*x)/($a^2+1)*($a*cos(x)+1*sin(x))", nullptr},
       {"exp(x)*cos(x)", "exp(x)/2*(cos(x)+sin(x))", nullptr}},
      // 57
      {{"sec(a*x)", "1/$a*ln(sec($a*x)+tan($a*x))", A0}, {"sec(x)", "ln(sec(x)+tan(x))", nullptr}},
      // 58
      {{"cosec(a*x)", "1/$a*ln(cosec($a*x)-cotan($a*x))", A0}, {"cosec(x)", "ln(cosec(x)-cotan(x))", nullptr}},
      // 59
      {{"cotan(a*x)", "1/$a*ln(sin($a*x))", A0}, {"cotan(x)", "ln(sin(x))", nullptr}},
      // 60
      {{"tan(a*x)^2", "1/$a*tan($a*x)-x", A0}, {"tan(x)^2", "tan(x)-x", nullptr}},
      // 61
      {{"sec(a*x)^2", "1/$a*tan($a*x)", A0}, {"sec(x)^2", "tan(x)", nullptr}},
      // 62
      {{"cosec(a*x)^2", "-(1/$a)*cotan($a*x)", A0}, {"cosec(x)^2", "-(cotan(x))", nullptr}},
      // 63
      {{"cotan(a*x)^2", "-(1/$a)*cotan($a*x)-x", A0}, {"cotan(x)^2", "-(cotan(x))-x", nullptr}},
      // 64
      {{"arcsin(a*x)", "x*arcsin($a*x)+1/$a*sqrt(1-$a^2*x^2)", A0},
       {"arcsin(x)", "x*arcsin(x)+sqrt(1-x^2)", nullptr}},
      // 65
      {{"arccos(a*x)", "x*arccos($a*x)-1/$a*sqrt(1-$a^2*x^2)", A0},
       {"arccos(x)", "x*arccos(x)-sqrt(1-x^2)", nullptr}},
      // 66
      {{"arctan(a*x)", "x*arctan($a*x)-1/(2*$a)*ln(1+$a^2*x^2)", A0},
       {"arctan(x)", "x*arctan(x)-1/2*ln(1+x^2)", nullptr}},
      // 67
      {{"b^(a*x)", "(1/$a)*($b^($a*x)/ln($b))", BaseBA0}, {"b^x", "($b^x/ln($b))", BaseB}},
      // 68
      {{"x*exp(a*x)", "exp($a*x)/($a^2)*($a*x-1)", A0}, {"x*exp(x)", "exp(x)*(x-1)", nullptr}},
      // 69
      {{"ln(a*x)", "x*ln($a*x)-x", nullptr}, {"ln(x)", "x*ln(x)-x", nullptr}},
      // 70
      {{"ln(a*x)/x", "1/2*ln($a*x)^2", nullptr}, {"ln(x)/x", "1/2*ln(x)^2", nullptr}},
      // 71
      {{"1/(x*ln(a*x))", "ln(abs(ln($a*x)))", nullptr}, {"1/(x*ln(x))", "ln(abs(ln(x)))", nullptr}},
      // 72
      {{"sinh(a*x)^2", "sinh(2*$a*x)/(4*$a)-x/2", A0}, {"sinh(x)^2", "sinh(2*x)/4-x/2", nullptr}},
      // 73
      {{"x*sinh(a*x)", "x/$a*cosh($a*x)-1/$a^2*sinh($a*x)", A0}, {"x*sinh(x)", "x*cosh(x)-(sinh(x))", nullptr}},
      // 74
      {{"cosh(a*x)^2", "sinh(2*$a*x)/(4*$a)+x/2", A0}, {"cosh(x)^2", "sinh(2*x)/4+x/2", nullptr}},
      // 75
      {{"x*cosh(a*x)", "x/$a*sinh($a*x)-1/$a^2*cosh($a*x)", A0}, {"x*cosh(x)", "x*sinh(x)-cosh(x)", nullptr}},
      // 76
      {{"exp(a*x)*sinh(a*x)", "1/(4*$a)*exp(2*$a*x)-1/2*x", A0},
       {"exp(x)*sinh(x)", "1/4*exp(2*x)-1/2*x", nullptr}},
      // 77
      {{"exp(a*x)*cosh(a*x)", "1/(4*$a)*exp(2*$a*x)+1/2*x", A0},
       {"exp(x)*cosh(x)", "1/4*exp(2*x)+1/2*x", nullptr}},
      // 78
      {{"exp(a*x)*sinh(b*x)", "exp($a*x)/2*(exp($b*x)/($a+$b)-exp(-($b*x))/($a-$b))", AdiversoB},
       {"exp(x)*sinh(b*x)", "exp(x)/2*(exp($b*x)/(1+$b)-exp(-($b*x))/(1-$b))", BNon1}},
      // 79
      {{"exp(a*x)*cosh(b*x)", "exp($a*x)/2*(exp($b*x)/($a+$b)+exp(-($b*x))/($a-$b))", AdiversoB},
       {"exp(x)*cosh(b*x)", "exp(x)/2*(exp($b*x)/(1+$b)+exp(-($b*x))/(1-$b))", BNon1}},
      // 80
      {{"tanh(a*x)^2", "x-1/$a*tanh($a*x)", A0}, {"tanh(x)^2", "x-tanh(x)", nullptr}},
      // 81
      {{"cotanh(a*x)", "1/$a*ln(abs(sinh($a*x)))", A0}, {"cotanh(x)", "ln(abs(sinh(x)))", nullptr}},
      // 82
      {{"cotanh(a*x)^2", "x-1/$a*cotanh($a*x)", A0}, {"cotanh(x)^2", "x-cotanh(x)", nullptr}},
      // 83
      {{"sech(a*x)", "2/$a*arctan(exp($a*x))", A0}, {"sech(x)", "2*arctan(exp(x))", nullptr}},
      // 84
      {{"sech(a*x)^2", "1/$a*tanh($a*x)", A0}, {"sech(x)^2", "tanh(x)", nullptr}},
      // 85
      {{"cosech(a*x)", "1/$a*ln(abs(tanh($a*x/2)))", A0}, {"cosech(x)", "ln(abs(tanh(x/2)))", nullptr}},
      // 86
      {{"cosech(a*x)^2", "-(1/$a)*cotanh($a*x)", A0}, {"cosech(x)^2", "-(cotanh(x))", nullptr}},
      // 87
      {{"arcsinh(x/a)", "x*ln((x+($a^2+x^2)^(1/2))/$a)-($a^2+x^2)^(1/2)", APos},
       {"arcsinh(x)", "x*ln((x+(1+x^2)^(1/2)))-(1+x^2)^(1/2)", nullptr}},
      // 88
      {{"arccosh(x/a)", "x*arccosh(x/$a)-sqrt(x^2-$a^2)", APos},
       {"arccosh(x)", "x*arccosh(x)-sqrt(x^2-1)", nullptr}},
      // 89
      {{"arctanh(x/a)", "x/2*ln(($a+x)/($a-x))+$a/2*ln($a^2-x^2)", A0},
       {"arctanh(x)", "x/2*ln((1+x)/(1-x))+1/2*ln(1-x^2)", nullptr}},
      // 90
      {{"x*arcsinh(x/a)", "(x^2/2+$a^2/4)*ln((x+(x^2+$a^2)^(1/2))/$a)-x/4*sqrt($a^2+x^2)", APos},
       {"x*arcsinh(x)", "(x^2/2+1/4)*ln((x+(x^2+1)^(1/2)))-x/4*sqrt(1+x^2)", nullptr}},
      // 91
      {{"x*arccosh(x/a)", "(2*x^2-$a^2)/4*arccosh(x/$a)-x/4*sqrt(x^2-$a^2)", APos},
       {"x*arccosh(x)", "(2*x^2-1)/4*arccosh(x)-x/4*sqrt(x^2-1)", nullptr}},
      // 92
      {{"x*arctanh(x/a)", "(x^2-$a^2)/4*ln(($a+x)/($a-x))+1/2*$a*x", A0},
       {"x*arctanh(x)", "(x^2-1)/4*ln((1+x)/(1-x))+1/2*x", nullptr}},
  };
  return tabella;
}

}  // namespace qx
