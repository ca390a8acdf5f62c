N = 4999
V = [0] * (N + 1)
C = 0
for _ in range(10):
    for I in range(2, N + 1):
        V[I] = 1
    for I in range(2, N + 1):
        if V[I] == 1:
            J = I * I
            while J <= N:
                V[J] = 0
                J = J + I
    for I in range(2, N + 1):
        C = C + V[I]
print(C)
