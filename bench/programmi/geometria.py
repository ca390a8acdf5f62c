import math

class Punto:
    def __init__(self, x, y):
        self.x = x; self.y = y

class Segmento:
    def __init__(self, a, b):
        self.a = Punto(a.x, a.y); self.b = Punto(b.x, b.y)
        self.misura = math.hypot(b.x - a.x, b.y - a.y)

class Cerchio:
    def __init__(self, centro, raggio):
        self.centro = Punto(centro.x, centro.y); self.raggio = raggio

for I in range(1, 5001):
    P = Punto(I % 10, I % 7)
    Q = Punto(3, I % 5)
    S = Segmento(P, Q)
    C = Cerchio(P, 1 + I % 3)
