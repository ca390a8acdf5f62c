F = lambda x: x ** 2 - 3 * x + 1
G = lambda x: 2 * x + 5
S = 0
for I in range(1, 40001):
    X = I / 1000
    S = S + F(X) - G(X)
print(S)
