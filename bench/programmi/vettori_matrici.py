N = 60
V = [0] * N
M = [[0] * N for _ in range(N)]
for I in range(N):
    V[I] = I + 1
for _ in range(10):
    for I in range(N):
        for J in range(N):
            M[I][J] = M[I][J] + V[I] * V[J]
print(M[N - 1][N - 1])
